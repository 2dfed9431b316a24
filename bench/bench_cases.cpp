#include "bench_cases.h"

#include "effect_host.h"

namespace {

bool IsStateful(const std::string& m) {
  return m == "dream" || m == "chars" || m == "firestorm" || m == "airport";
}

}  // namespace

std::vector<BenchCase> BenchCases(const std::string& moduleDir) {
  const std::vector<std::string> names = zk::ListModuleNames(moduleDir);
  std::vector<BenchCase> cases;
  for (const std::string& m : names) cases.push_back({m, "default", {}, IsStateful(m)});
  auto add = [&](const std::string& m, const std::string& label, zk::SettingsOptions o) {
    for (const std::string& have : names)
      if (have == m) cases.push_back({m, label, o, IsStateful(m)});
  };
  zk::SettingsOptions o;
  o.assignments = {"size=0.01"};
  add("marbles", "size 0.01", o);
  o = {};
  o.assignments = {"applyGlow=1"};
  add("chars", "glow", o);
  o = {};
  o.preset = "dissolve";
  add("logo", "dissolve", o);
  o = {};
  o.preset = "high fly";
  add("cuboids2", "high fly", o);
  // The circle opening from the middle, as a plain wipe.
  o = {};
  o.assignments = {"bloomMode=0", "bloomDirection=6", "bloomDuration=0.01"};
  add("bloom", "circle outwards", o);
  for (const char* preset :
       {"preset #2", "Wipe left to right", "Wipe clockwise", "Crossfade", "White Flash"}) {
    o = {};
    o.preset = preset;
    add("bloom", preset, o);
  }
  return cases;
}

const BenchScenes& BenchScenesOf(int32_t width, int32_t height) {
  static const BenchScenes pal{zk::DrawSunsetLake(720, 576), zk::DrawLighthouseCoast(720, 576)};
  static const BenchScenes hd{zk::DrawSunsetLake(1920, 1080), zk::DrawLighthouseCoast(1920, 1080)};
  return width == 720 && height == 576 ? pal : hd;
}
