// Effects that carry state from one frame to the next keep it in one module-global block.
// A host that runs several transitions of the same effect in one process (the frei0r
// adapters) swaps each transition's copy of the block in before a render call and out
// after it, so every transition sees only its own history.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zk {

struct ModuleStateAccess {
  void* (*block)();  // the module-global state block
  size_t size;       // its size in bytes
  // Frees whatever the current block owns and returns it to its value at load time.
  void (*release)();
  // For a block that owns memory (null where the block's bytes are the whole state): a host
  // that returns to an earlier frame's state keeps copies that do not share that memory.
  size_t (*savedSize)() = nullptr;  // the most bytes a copy of the current block takes
  // Copies the current block's state into `to`; returns the bytes written.
  size_t (*save)(uint8_t* to) = nullptr;
  // Makes the current block the state saved in `size` bytes again.
  void (*restore)(const uint8_t* from, size_t size) = nullptr;
};

// Defined by the stateful effects only; elsewhere it resolves to null (native builds).
#if !defined(_WIN32)
extern const ModuleStateAccess kModuleState __attribute__((weak));
#endif

}  // namespace zk
