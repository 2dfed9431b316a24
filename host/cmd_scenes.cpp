// zelkor scenes: writes the built-in sample scenes as BMP files.
#include <cstdio>

#include "cli_numbers.h"
#include "cli_options.h"
#include "image_files.h"
#include "sample_scenes.h"

namespace zk {

int RunScenes(const CommandContext& ctx) {
  std::string dir;
  int32_t width = 640, height = 360;
  for (size_t i = 0; i < ctx.args.size(); ++i) {
    const std::string& a = ctx.args[i];
    if (a == "--out-dir" && i + 1 < ctx.args.size()) {
      dir = ctx.args[++i];
    } else if (a == "--size" && i + 1 < ctx.args.size()) {
      const std::string v = ctx.args[++i];
      const size_t x = v.find('x');
      if (x == std::string::npos || !ParseInt32(v.substr(0, x), &width) ||
          !ParseInt32(v.substr(x + 1), &height) || width < 1 || height < 1 || width > 8192 ||
          height > 8192)
        return Fail("--size: expected WxH from 1x1 to 8192x8192, got '" + v + "'");
    } else {
      return Fail("usage: zelkor scenes --out-dir DIR [--size WxH]");
    }
  }
  if (dir.empty()) return Fail("usage: zelkor scenes --out-dir DIR [--size WxH]");
  std::string error;
  if (!MakeDirectories(dir, &error)) return Fail(error);
  if (!WriteImageFile(dir + "/scene_a.bmp", DrawSunsetLake(width, height), &error) ||
      !WriteImageFile(dir + "/scene_b.bmp", DrawLighthouseCoast(width, height), &error))
    return Fail(error);
  return 0;
}

}  // namespace zk
