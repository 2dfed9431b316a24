#!/usr/bin/python3
"""Joins two clips with a transition through its GStreamer frei0r element.

The whole of clip A, the transition over A's last and B's first SECONDS, then the rest of B,
at A's frame rate and size. Transition frame i of N gets progress i / (N - 1) from a
controller bound to the element's progress, one value per frame timestamp, so the effects
with frame-to-frame state see every frame in order on one instance. Video only.

    FREI0R_PATH=build/native/frei0r-1 tools/gst-join.py curtain a.mkv b.mkv --duration 1.5 \\
        --out joined.mkv [--set variant0x200=true ...]

OUT is .mkv (lossless FFV1) or a pattern of PNG frames such as out/%03d.png.
"""
import argparse
import collections
import itertools
import math
import os
import sys

import gi

gi.require_version("Gst", "1.0")
gi.require_version("GstApp", "1.0")
gi.require_version("GstController", "1.0")
# GstApp is imported for the methods it gives appsink and appsrc.
from gi.repository import GLib, GObject, Gst, GstApp, GstController  # noqa: E402,F401


class JoinError(Exception):
    pass


def quiet_stream_start_warnings():
    # GStreamer 1.22's frei0r mixer pushes frames without stream-start and segment events;
    # every pad downstream warns about it on each run, although the frames are right.
    def handler(domain, level, message, _):
        if "Got data flow before" not in message:
            GLib.log_default_handler(domain, level, message, None)

    GLib.log_set_handler("GStreamer", GLib.LogLevelFlags.LEVEL_WARNING, handler, None)


def check_bus(pipeline):
    message = pipeline.get_bus().pop_filtered(Gst.MessageType.ERROR)
    if message is not None:
        error, debug = message.parse_error()
        raise JoinError("%s (%s)" % (error.message, debug))


def start(pipeline):
    if pipeline.set_state(Gst.State.PLAYING) == Gst.StateChangeReturn.FAILURE:
        check_bus(pipeline)
        raise JoinError("the pipeline does not start")


def open_clip(path, caps=""):
    """Decoded RGBA frames of a clip, scaled and resampled to the given caps."""
    pipeline = Gst.parse_launch(
        "uridecodebin uri=%s ! videoconvert ! videoscale ! videorate ! "
        "video/x-raw,format=RGBA%s ! appsink name=sink sync=false"
        % (Gst.filename_to_uri(os.path.abspath(path)), caps))
    start(pipeline)
    sink = pipeline.get_by_name("sink")

    def frames():
        try:
            while True:
                sample = sink.pull_sample()
                if sample is None:
                    check_bus(pipeline)
                    return
                yield sample
        finally:
            pipeline.set_state(Gst.State.NULL)

    return frames()


def set_property(element, setting):
    name, _, text = setting.partition("=")
    spec = element.find_property(name)
    if spec is None:
        raise JoinError("%s has no property %s" % (element.get_factory().get_name(), name))
    kind = spec.value_type
    try:
        if kind == GObject.TYPE_BOOLEAN:
            value = {"true": True, "yes": True, "1": True, "false": False, "no": False, "0": False}[
                text.lower()]
        elif kind in (GObject.TYPE_DOUBLE, GObject.TYPE_FLOAT):
            value = float(text)
        else:
            value = text
    except (KeyError, ValueError):
        raise JoinError("%s: not a %s: %s" % (name, kind.name, text)) from None
    if hasattr(spec, "minimum") and not spec.minimum <= value <= spec.maximum:
        raise JoinError("%s must lie in %g..%g" % (name, spec.minimum, spec.maximum))
    element.set_property(name, value)


class Mixer:
    """One instance of the transition element fed frame pairs through app sources."""

    def __init__(self, effect, caps, frames, settings):
        self.pipeline = Gst.parse_launch(
            "appsrc name=a format=time ! m.sink_0 appsrc name=b format=time ! m.sink_1 "
            "frei0r-mixer-zelkor-%s name=m ! appsink name=out sync=false" % effect)
        element = self.pipeline.get_by_name("m")
        for setting in settings:
            set_property(element, setting)
        _, num, den = caps.get_structure(0).get_fraction("framerate")
        self.duration = Gst.util_uint64_scale_int(Gst.SECOND, den, num)
        source = GstController.InterpolationControlSource(mode=GstController.InterpolationMode.NONE)
        for i in range(frames):
            source.set(i * self.duration, i / (frames - 1) if frames > 1 else 0.5)
        element.add_control_binding(GstController.DirectControlBinding.new(element, "progress", source))
        self.sources = [self.pipeline.get_by_name(n) for n in ("a", "b")]
        for s in self.sources:
            s.set_property("caps", caps)
        self.sink = self.pipeline.get_by_name("out")
        start(self.pipeline)

    def mix(self, i, a, b):
        for source, picture in zip(self.sources, (a, b)):
            buffer = picture.copy()
            buffer.pts = i * self.duration
            buffer.duration = self.duration
            source.push_buffer(buffer)
        sample = self.sink.pull_sample()
        if sample is None:
            check_bus(self.pipeline)
            raise JoinError("the transition gave no frame")
        return sample.get_buffer()

    def close(self):
        self.pipeline.set_state(Gst.State.NULL)


class Writer:
    def __init__(self, path, caps):
        if path.lower().endswith(".mkv"):
            tail = ("video/x-raw,format=BGRx ! avenc_ffv1 ! matroskamux ! filesink location=\"%s\""
                    % path)
        elif path.lower().endswith(".png") and "%" in path:
            tail = "video/x-raw,format=RGB ! pngenc ! multifilesink location=\"%s\"" % path
        else:
            raise JoinError("OUT must end in .mkv or be a PNG pattern such as out/%03d.png")
        self.pipeline = Gst.parse_launch(
            "appsrc name=src format=time ! videoconvert ! " + tail)
        self.source = self.pipeline.get_by_name("src")
        self.source.set_property("caps", caps)
        self.count = 0
        start(self.pipeline)

    def write(self, buffer, duration):
        buffer = buffer.copy()
        buffer.pts = self.count * duration
        buffer.duration = duration
        self.count += 1
        if self.source.push_buffer(buffer) != Gst.FlowReturn.OK:
            check_bus(self.pipeline)
            raise JoinError("writing failed")

    def finish(self):
        self.source.end_of_stream()
        message = self.pipeline.get_bus().timed_pop_filtered(
            Gst.CLOCK_TIME_NONE, Gst.MessageType.EOS | Gst.MessageType.ERROR)
        self.pipeline.set_state(Gst.State.NULL)
        if message.type == Gst.MessageType.ERROR:
            raise JoinError(message.parse_error()[0].message)


def join(effect, clip_a, clip_b, seconds, out, settings):
    if Gst.ElementFactory.find("frei0r-mixer-zelkor-" + effect) is None:
        raise JoinError("no element frei0r-mixer-zelkor-%s (is FREI0R_PATH set?)" % effect)
    for clip in (clip_a, clip_b):
        if not os.path.isfile(clip):
            raise JoinError("no such clip: " + clip)
    frames_of_a = open_clip(clip_a)
    first = next(frames_of_a, None)
    if first is None:
        raise JoinError("no frames in " + clip_a)
    s = first.get_caps().get_structure(0)
    width, height = s.get_int("width")[1], s.get_int("height")[1]
    _, num, den = s.get_fraction("framerate")
    if num <= 0 or den <= 0:
        raise JoinError(clip_a + " has no frame rate")
    caps = Gst.Caps.from_string("video/x-raw,format=RGBA,width=%d,height=%d,framerate=%d/%d"
                                % (width, height, num, den))
    n = max(1, int(math.floor(seconds * num / den + 0.5)))
    duration = Gst.util_uint64_scale_int(Gst.SECOND, den, num)

    writer = Writer(out, caps)
    # The last n frames of A wait for the transition; the ones they push out go straight on.
    tail = collections.deque()
    for sample in itertools.chain([first], frames_of_a):
        tail.append(sample.get_buffer())
        if len(tail) > n:
            writer.write(tail.popleft(), duration)
    if len(tail) < n:
        raise JoinError("the transition (%g s) is longer than the first clip" % seconds)

    frames_of_b = open_clip(clip_b, ",width=%d,height=%d,framerate=%d/%d" % (width, height, num, den))
    mixer = Mixer(effect, caps, n, settings)
    try:
        for i in range(n):
            b = next(frames_of_b, None)
            if b is None:
                raise JoinError("the transition (%g s) is longer than the second clip" % seconds)
            writer.write(mixer.mix(i, tail[i], b.get_buffer()), duration)
    finally:
        mixer.close()
    for b in frames_of_b:
        writer.write(b.get_buffer(), duration)
    writer.finish()
    return writer.count


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("effect", help="transition name, as in `zelkor list`")
    parser.add_argument("clip_a")
    parser.add_argument("clip_b")
    parser.add_argument("--duration", type=float, required=True, help="seconds of overlap")
    parser.add_argument("--out", required=True)
    parser.add_argument("--set", action="append", default=[], metavar="PROPERTY=VALUE",
                        help="an element property, as gst-inspect-1.0 lists it")
    args = parser.parse_args()
    if not args.duration > 0:
        parser.error("--duration must be above 0 s")
    Gst.init(None)
    quiet_stream_start_warnings()
    try:
        count = join(args.effect, args.clip_a, args.clip_b, args.duration, args.out, args.set)
    except (JoinError, GLib.Error) as e:
        print("gst-join: " + str(e), file=sys.stderr)
        if args.out.lower().endswith(".mkv") and os.path.exists(args.out):
            os.remove(args.out)  # a clip cut short would pass for a whole one
        return 1
    print("wrote %d frames to %s" % (count, args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
