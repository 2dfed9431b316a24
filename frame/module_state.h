// Effects that carry state from one frame to the next keep it in one module-global block.
// A host that runs several transitions of the same effect in one process (the frei0r
// adapters) swaps each transition's copy of the block in before a render call and out
// after it, so every transition sees only its own history.
#pragma once

#include <cstddef>

namespace zk {

struct ModuleStateAccess {
  void* (*block)();  // the module-global state block
  size_t size;       // its size in bytes
  // Frees whatever the current block owns and returns it to its value at load time.
  void (*release)();
};

// Defined by the stateful effects only; elsewhere it resolves to null (native builds).
#if !defined(_WIN32)
extern const ModuleStateAccess kModuleState __attribute__((weak));
#endif

}  // namespace zk
