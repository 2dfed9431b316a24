// The speedup of one frame on every core over one thread, measured in rounds: the same
// frame rendered by instances of a module held to one thread and using every core, turn
// about, many times. Timing the two minutes apart (as a table of separate benchmarks does)
// lets a virtual machine's drift in speed pass for a speedup or hide one; each round here
// sees the machine in one state, and the median of the rounds' ratios is the speedup.
// Each round also renders two frames side by side, each on one thread of its own: what a
// frame of that work costs while both cores are busy with it (shared caches, memory, and
// whatever a virtual machine's cores share). Twice the one-thread time over that is the most
// the cores can speed the work up here, with nothing sequential and no overhead.
//   zelkor_speedup [--size WxH] [--rounds N] [--match TEXT] [--progress P] [--against DIR]
// TEXT picks the cases whose "module/settings" name contains it; the cases without state
// render at progress P (0.5 unless given), the stateful ones go round their transition. Two cores
// are assumed for the side-by-side frames (the build machine's). With --against, the rounds compare
// this build's modules with the same modules in DIR (another build, such as one from before a
// change) instead: each on one thread and on every core, turn about, and whether the frames of the
// two builds held the same bytes in every round.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "bench_cases.h"
#include "bench_modules.h"
#include "effect_host.h"

namespace {

namespace fs = std::filesystem;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n == 0 ? 0.0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

// Where the stateless cases are rendered (--progress).
float gProgress = 0.5f;

// One instance of a module, loaded from a copy of its file (the loader hands out the same
// instance for the same file), which reads ZELKOR_THREADS as it is at its first render.
struct Instance {
  zk::HostedEffect effect;
  zk::RenderChoices choices;
  int64_t frame = 0;
};

bool OpenInstance(const BenchCase& c, const std::string& moduleDir, const fs::path& dir,
                  const std::string& threads, Instance* in, std::string* error) {
  if (threads.empty()) {
    unsetenv("ZELKOR_THREADS");
  } else {
    setenv("ZELKOR_THREADS", threads.c_str(), 1);
  }
  fs::create_directories(dir);
  const fs::path copy = dir / (c.module + ".vfx");
  std::error_code failed;
  fs::copy_file(zk::ModulePath(moduleDir, c.module), copy, fs::copy_options::overwrite_existing,
                failed);
  if (failed) {
    *error = zk::ModulePath(moduleDir, c.module) + ": " + failed.message();
    return false;
  }
  if (!zk::OpenEffect(copy.string(), &in->effect, error) ||
      !zk::ApplySettingsOptions(c.settings, &in->effect, error))
    return false;
  in->choices = zk::ModuleDefaultChoices(in->effect.info);
  return true;
}

// Renders the instance's next frame (a stateful case goes round its transition; the others
// stay at the middle) and returns its milliseconds; with `go`, it starts once that is set.
double RenderNext(const BenchCase& c, Instance* in, const BenchScenes& s, zk::FrameImage* out,
                  const std::atomic<bool>* go = nullptr) {
  const float p = c.sequence ? static_cast<float>(in->frame % kSequenceFrames) /
                                   static_cast<float>(kSequenceFrames - 1)
                             : gProgress;
  if (go)
    while (!go->load()) {
    }
  const auto start = std::chrono::steady_clock::now();
  zk::RenderEffectFrame(in->effect, s.a, s.b, p, in->choices, out);
  const auto end = std::chrono::steady_clock::now();
  ++in->frame;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// Two frames at once, each on its own thread: the milliseconds of each.
void RenderSideBySide(const BenchCase& c, Instance* left, Instance* right, const BenchScenes& s,
                      zk::FrameImage* outLeft, zk::FrameImage* outRight, double* msLeft,
                      double* msRight) {
  std::atomic<bool> go{false};
  std::thread other([&] { *msRight = RenderNext(c, right, s, outRight, &go); });
  go = true;
  *msLeft = RenderNext(c, left, s, outLeft, &go);
  other.join();
}

// Opens one instance of the case per entry, each with its module directory and thread count,
// and renders its first frame.
bool OpenInstances(
    const BenchCase& c, const fs::path& dir,
    std::initializer_list<std::tuple<Instance*, const char*, std::string, std::string>> list,
    const BenchScenes& scenes, zk::FrameImage* out) {
  std::string error;
  for (auto [in, sub, moduleDir, threads] : list) {
    if (!OpenInstance(c, moduleDir, dir / sub, threads, in, &error)) {
      std::fprintf(stderr, "%s/%s: %s\n", c.module.c_str(), c.label.c_str(), error.c_str());
      return false;
    }
    RenderNext(c, in, scenes, out);
  }
  return true;
}

// A stateful case goes round its whole transition at least once: its frames cost more as it
// goes (chars' characters fill the screen).
int32_t RoundsOf(const BenchCase& c, int32_t rounds) {
  return c.sequence && rounds < kSequenceFrames - 1 ? static_cast<int32_t>(kSequenceFrames - 1)
                                                    : rounds;
}

// One thread, every core and two frames side by side.
bool TimeSpeedup(const BenchCase& c, const fs::path& dir, const std::string& every, int32_t rounds,
                 const BenchScenes& scenes, zk::FrameImage* out, zk::FrameImage* second) {
  // Four instances, each rendering once a round so that a stateful case's instances stay
  // at the same frame: alone on one thread, on every core, and the two side by side.
  // Each instance fixes its thread count at its first render, right after opening.
  Instance one, all, left, right;
  const std::string here = BenchModuleDir();
  const bool opened = OpenInstances(c, dir,
                                    {{&one, "one", here, "1"},
                                     {&left, "left", here, "1"},
                                     {&right, "right", here, "1"},
                                     {&all, "all", here, every}},
                                    scenes, out);
  std::vector<double> t1, tn, side, ratio, most;
  for (int32_t k = 0; opened && k < RoundsOf(c, rounds); ++k) {
    // Turn about which goes first, so that none always follows another.
    double a = 0, b = 0, l = 0, r = 0;
    for (int32_t step = 0; step < 3; ++step) {
      switch ((k + step) % 3) {
        case 0:
          a = RenderNext(c, &one, scenes, out);
          break;
        case 1:
          b = RenderNext(c, &all, scenes, out);
          break;
        default:
          RenderSideBySide(c, &left, &right, scenes, out, second, &l, &r);
      }
    }
    t1.push_back(a);
    tn.push_back(b);
    side.push_back((l + r) / 2);
    ratio.push_back(a / b);
    most.push_back(2 * a / ((l + r) / 2));
  }
  if (opened) {
    const double speedup = Median(ratio), ceiling = Median(most);
    char share[16] = "–";
    if (ceiling > 1.0)
      std::snprintf(share, sizeof share, "%.0f%%", 100 * (speedup - 1) / (ceiling - 1));
    std::printf("| %s/%s | %.2f | %.2f | %.2f× | %.2f | %.2f× | %s |\n", c.module.c_str(),
                c.label.c_str(), Median(t1), Median(tn), speedup, Median(side), ceiling, share);
    std::fflush(stdout);
  }
  for (Instance* in : {&one, &all, &left, &right}) zk::CloseEffect(&in->effect);
  return opened;
}

// This build against the modules in `other`, each on one thread and on every core, turn
// about; every round's four frames are compared byte for byte.
bool TimeAgainst(const BenchCase& c, const fs::path& dir, const std::string& other,
                 const std::string& every, int32_t rounds, const BenchScenes& scenes,
                 zk::FrameImage frames[4]) {
  Instance theirs, ours, theirsAll, oursAll;
  const std::string here = BenchModuleDir();
  const bool opened = OpenInstances(c, dir,
                                    {{&theirs, "theirs", other, "1"},
                                     {&ours, "ours", here, "1"},
                                     {&theirsAll, "theirs-all", other, every},
                                     {&oursAll, "ours-all", here, every}},
                                    scenes, &frames[0]);
  Instance* order[4] = {&theirs, &ours, &theirsAll, &oursAll};
  std::vector<double> ms[4], one, all;
  bool same = true;
  for (int32_t k = 0; opened && k < RoundsOf(c, rounds); ++k) {
    double t[4];
    for (int32_t step = 0; step < 4; ++step) {
      const int32_t j = (k + step) % 4;
      t[j] = RenderNext(c, order[j], scenes, &frames[j]);
    }
    for (int32_t j = 0; j < 4; ++j) ms[j].push_back(t[j]);
    one.push_back(t[0] / t[1]);
    all.push_back(t[2] / t[3]);
    for (int32_t j = 1; j < 4; ++j) same = same && frames[j].pixels == frames[0].pixels;
  }
  if (opened) {
    std::printf("| %s/%s | %.2f | %.2f | %.2f× | %.2f | %.2f | %.2f× | %s |\n", c.module.c_str(),
                c.label.c_str(), Median(ms[0]), Median(ms[1]), Median(one), Median(ms[2]),
                Median(ms[3]), Median(all), same ? "same" : "DIFFER");
    std::fflush(stdout);
  }
  for (Instance* in : order) zk::CloseEffect(&in->effect);
  return opened && same;
}

}  // namespace

int main(int argc, char** argv) {
  int32_t width = 1920, height = 1080, rounds = 40;
  std::string match, against;
  for (int i = 1; i < argc; i += 2) {
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (value && !std::strcmp(argv[i], "--size")) {
      std::sscanf(value, "%dx%d", &width, &height);
    } else if (value && !std::strcmp(argv[i], "--rounds")) {
      rounds = std::max(1, std::atoi(value));
    } else if (value && !std::strcmp(argv[i], "--match")) {
      match = value;
    } else if (value && !std::strcmp(argv[i], "--against")) {
      against = value;
    } else if (value && !std::strcmp(argv[i], "--progress")) {
      gProgress = static_cast<float>(std::atof(value));
    } else {
      std::fprintf(stderr,
                   "usage: zelkor_speedup [--size WxH] [--rounds N] [--match TEXT] "
                   "[--progress P] [--against DIR]\n");
      return 2;
    }
  }
  if (!(width == 720 && height == 576) && !(width == 1920 && height == 1080)) {
    std::fprintf(stderr, "zelkor_speedup: the sizes are 720x576 and 1920x1080\n");
    return 2;
  }
  // "Every core" is what the environment asks for, or the machine's cores when it is unset.
  const char* cores = std::getenv("ZELKOR_THREADS");
  const std::string every = cores ? cores : "";
  const fs::path scratch =
      fs::temp_directory_path() / ("zelkor_speedup." + std::to_string(getpid()));
  const BenchScenes& scenes = BenchScenesOf(width, height);
  zk::FrameImage frames[4];
  for (zk::FrameImage& f : frames) f = zk::MakeFrameImage(width, height);
  if (against.empty()) {
    std::printf(
        "| case | 1 thread ms | every core ms | speedup | side by side ms | most here | "
        "speedup of the most |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
  } else {
    std::printf(
        "| case | %s, 1 thread ms | this build, 1 thread ms | speedup | %s, every core ms | "
        "this build, every core ms | speedup | bytes |\n",
        against.c_str(), against.c_str());
    std::printf("|---|---:|---:|---:|---:|---:|---:|---|\n");
  }
  int status = 0, index = 0;
  for (const BenchCase& c : BenchCases(BenchModuleDir())) {
    const std::string name = c.module + "/" + c.label;
    if (!match.empty() && name.find(match) == std::string::npos) continue;
    const fs::path dir = scratch / std::to_string(index++);
    const bool ok = against.empty()
                        ? TimeSpeedup(c, dir, every, rounds, scenes, &frames[0], &frames[1])
                        : TimeAgainst(c, dir, against, every, rounds, scenes, frames);
    if (!ok) status = 1;
  }
  std::error_code ignored;
  fs::remove_all(scratch, ignored);
  return status;
}
