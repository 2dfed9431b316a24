// zelkor: a host for transition modules on the command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli_options.h"

namespace {

const char kUsage[] =
    "usage: zelkor [--modules DIR] COMMAND ...\n"
    "  list                          modules found, one line each\n"
    "  info EFFECT                   what the module says of itself, and its settings\n"
    "  render EFFECT --from A --to B --out OUT [--progress P | --frames N |\n"
    "         --sequence P1,P2,...] [--rect L,T,W,H] [--variant N] [--extra N]\n"
    "         [--color N] [--field] [--request-mode N] [--set NAME=VALUE ...]\n"
    "         [--preset NAME] [--params-hex HEX | --params-file FILE] [-v]\n"
    "  configure EFFECT --params-file FILE [--screenshot PNG]\n"
    "                                run the settings dialog on FILE (Windows)\n"
    "  scenes --out-dir DIR [--size WxH]     write the two built-in sample scenes\n"
    "Modules are looked up in --modules DIR, $ZELKOR_MODULES, or modules/ next to zelkor\n"
    "(installed: <prefix>/lib/zelkor/modules).\n";

}  // namespace

int main(int argc, char** argv) {
  zk::CommandContext ctx;
  int i = 1;
  while (i < argc && argv[i][0] == '-') {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (a == "--modules" && i + 1 < argc) {
      ctx.modulesDir = argv[i + 1];
      i += 2;
      continue;
    }
    return zk::Fail("unknown option " + a + " (see zelkor --help)");
  }
  if (i >= argc) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string command = argv[i++];
  for (; i < argc; ++i) ctx.args.push_back(argv[i]);
  // --modules may also follow the command.
  for (size_t k = 0; k + 1 < ctx.args.size(); ++k) {
    if (ctx.args[k] == "--modules") {
      ctx.modulesDir = ctx.args[k + 1];
      ctx.args.erase(ctx.args.begin() + static_cast<long>(k),
                     ctx.args.begin() + static_cast<long>(k) + 2);
      break;
    }
  }
  if (command == "list") return zk::RunList(ctx);
  if (command == "info") return zk::RunInfo(ctx);
  if (command == "render") return zk::RunRender(ctx);
  if (command == "scenes") return zk::RunScenes(ctx);
  if (command == "configure") return zk::RunConfigure(ctx);
  if (command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  return zk::Fail("unknown command '" + command + "' (see zelkor --help)");
}
