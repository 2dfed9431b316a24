// FFmpeg's libraries are opened when a clip, a JPEG or a picture other than BMP is first read
// or written, not when zelkor starts: linked directly they pulled in about 130 shared
// libraries, and starting a process took some 60 ms before the first pixel. With this
// header (which brings FFmpeg's own) every FFmpeg function the media code calls is a call
// through the table below, whose signatures come from FFmpeg's declarations.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <string>

namespace zk {

// Each function with the library that exports it.
#define ZK_FFMPEG_FUNCTIONS(X)                \
  X(avutil, av_channel_layout_copy)           \
  X(avutil, av_d2q)                           \
  X(avutil, av_dict_free)                     \
  X(avutil, av_dict_set_int)                  \
  X(avutil, av_frame_alloc)                   \
  X(avutil, av_frame_free)                    \
  X(avutil, av_frame_get_buffer)              \
  X(avutil, av_frame_make_writable)           \
  X(avutil, av_log_set_level)                 \
  X(avutil, av_opt_set)                       \
  X(avutil, av_samples_set_silence)           \
  X(avutil, av_strerror)                      \
  X(avcodec, av_packet_alloc)                 \
  X(avcodec, av_packet_free)                  \
  X(avcodec, av_packet_rescale_ts)            \
  X(avcodec, av_packet_unref)                 \
  X(avcodec, avcodec_alloc_context3)          \
  X(avcodec, avcodec_find_encoder)            \
  X(avcodec, avcodec_find_encoder_by_name)    \
  X(avcodec, avcodec_free_context)            \
  X(avcodec, avcodec_open2)                   \
  X(avcodec, avcodec_parameters_from_context) \
  X(avcodec, avcodec_parameters_to_context)   \
  X(avcodec, avcodec_receive_frame)           \
  X(avcodec, avcodec_receive_packet)          \
  X(avcodec, avcodec_send_frame)              \
  X(avcodec, avcodec_send_packet)             \
  X(avformat, av_find_best_stream)            \
  X(avformat, av_interleaved_write_frame)     \
  X(avformat, av_read_frame)                  \
  X(avformat, av_write_trailer)               \
  X(avformat, avformat_alloc_output_context2) \
  X(avformat, avformat_close_input)           \
  X(avformat, avformat_find_stream_info)      \
  X(avformat, avformat_free_context)          \
  X(avformat, avformat_new_stream)            \
  X(avformat, avformat_open_input)            \
  X(avformat, avformat_write_header)          \
  X(avformat, avio_closep)                    \
  X(avformat, avio_open)                      \
  X(swresample, swr_alloc_set_opts2)          \
  X(swresample, swr_convert)                  \
  X(swresample, swr_free)                     \
  X(swresample, swr_get_out_samples)          \
  X(swresample, swr_init)                     \
  X(swscale, sws_freeContext)                 \
  X(swscale, sws_getCachedContext)            \
  X(swscale, sws_getContext)                  \
  X(swscale, sws_scale)

struct FfmpegFunctions {
#define ZK_FFMPEG_POINTER(lib, name) decltype(&::name) name;
  ZK_FFMPEG_FUNCTIONS(ZK_FFMPEG_POINTER)
#undef ZK_FFMPEG_POINTER
};

// Opens the libraries on first use (thread-safe); false with a one-line reason when they or
// one of the functions cannot be found. Every entry point into the media code asks first.
bool LoadFfmpeg(std::string* error);
// The table; valid once LoadFfmpeg has returned true.
const FfmpegFunctions& Ffmpeg();

}  // namespace zk

// From here on the media code's calls go through the table (the loader itself names the
// functions).
#ifndef ZK_FFMPEG_LOADER
#define av_channel_layout_copy (::zk::Ffmpeg().av_channel_layout_copy)
#define av_d2q (::zk::Ffmpeg().av_d2q)
#define av_dict_free (::zk::Ffmpeg().av_dict_free)
#define av_dict_set_int (::zk::Ffmpeg().av_dict_set_int)
#define av_frame_alloc (::zk::Ffmpeg().av_frame_alloc)
#define av_frame_free (::zk::Ffmpeg().av_frame_free)
#define av_frame_get_buffer (::zk::Ffmpeg().av_frame_get_buffer)
#define av_frame_make_writable (::zk::Ffmpeg().av_frame_make_writable)
#define av_log_set_level (::zk::Ffmpeg().av_log_set_level)
#define av_opt_set (::zk::Ffmpeg().av_opt_set)
#define av_samples_set_silence (::zk::Ffmpeg().av_samples_set_silence)
#define av_strerror (::zk::Ffmpeg().av_strerror)
#define av_packet_alloc (::zk::Ffmpeg().av_packet_alloc)
#define av_packet_free (::zk::Ffmpeg().av_packet_free)
#define av_packet_rescale_ts (::zk::Ffmpeg().av_packet_rescale_ts)
#define av_packet_unref (::zk::Ffmpeg().av_packet_unref)
#define avcodec_alloc_context3 (::zk::Ffmpeg().avcodec_alloc_context3)
#define avcodec_find_encoder (::zk::Ffmpeg().avcodec_find_encoder)
#define avcodec_find_encoder_by_name (::zk::Ffmpeg().avcodec_find_encoder_by_name)
#define avcodec_free_context (::zk::Ffmpeg().avcodec_free_context)
#define avcodec_open2 (::zk::Ffmpeg().avcodec_open2)
#define avcodec_parameters_from_context (::zk::Ffmpeg().avcodec_parameters_from_context)
#define avcodec_parameters_to_context (::zk::Ffmpeg().avcodec_parameters_to_context)
#define avcodec_receive_frame (::zk::Ffmpeg().avcodec_receive_frame)
#define avcodec_receive_packet (::zk::Ffmpeg().avcodec_receive_packet)
#define avcodec_send_frame (::zk::Ffmpeg().avcodec_send_frame)
#define avcodec_send_packet (::zk::Ffmpeg().avcodec_send_packet)
#define av_find_best_stream (::zk::Ffmpeg().av_find_best_stream)
#define av_interleaved_write_frame (::zk::Ffmpeg().av_interleaved_write_frame)
#define av_read_frame (::zk::Ffmpeg().av_read_frame)
#define av_write_trailer (::zk::Ffmpeg().av_write_trailer)
#define avformat_alloc_output_context2 (::zk::Ffmpeg().avformat_alloc_output_context2)
#define avformat_close_input (::zk::Ffmpeg().avformat_close_input)
#define avformat_find_stream_info (::zk::Ffmpeg().avformat_find_stream_info)
#define avformat_free_context (::zk::Ffmpeg().avformat_free_context)
#define avformat_new_stream (::zk::Ffmpeg().avformat_new_stream)
#define avformat_open_input (::zk::Ffmpeg().avformat_open_input)
#define avformat_write_header (::zk::Ffmpeg().avformat_write_header)
#define avio_closep (::zk::Ffmpeg().avio_closep)
#define avio_open (::zk::Ffmpeg().avio_open)
#define swr_alloc_set_opts2 (::zk::Ffmpeg().swr_alloc_set_opts2)
#define swr_convert (::zk::Ffmpeg().swr_convert)
#define swr_free (::zk::Ffmpeg().swr_free)
#define swr_get_out_samples (::zk::Ffmpeg().swr_get_out_samples)
#define swr_init (::zk::Ffmpeg().swr_init)
#define sws_freeContext (::zk::Ffmpeg().sws_freeContext)
#define sws_getCachedContext (::zk::Ffmpeg().sws_getCachedContext)
#define sws_getContext (::zk::Ffmpeg().sws_getContext)
#define sws_scale (::zk::Ffmpeg().sws_scale)
#endif
