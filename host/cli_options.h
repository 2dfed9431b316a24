// A small option reader for the zelkor commands: --name value, --flag, -v.
#pragma once

#include <string>
#include <vector>

namespace zk {

class ArgReader;

struct CommandContext {
  std::vector<std::string> args;  // after the command name
  std::string modulesDir;         // --modules, may be empty
};

// Each command returns the process exit code; on error it prints one line to stderr.
int RunList(const CommandContext& ctx);
int RunInfo(const CommandContext& ctx);
int RunRender(const CommandContext& ctx);
int RunScenes(const CommandContext& ctx);
int RunConfigure(const CommandContext& ctx);

// Prints "zelkor: <message>" on stderr and returns 2.
int Fail(const std::string& message);

}  // namespace zk
