// Scratch memory of a render call: taken at the start, given back before the call returns.
// The source is a parameter so that tests can make an allocation fail or count releases.
#pragma once

#include <cstddef>

namespace zk {

struct ScratchSource {
  void* (*allocate)(size_t bytes);  // null when the memory is not available
  void (*release)(void* block);
};

// The process heap.
extern const ScratchSource kHeapScratch;

// What a block holds when it is handed out: zeros, or whatever the source gave (for a render
// that writes every byte, or clears its block in bands side by side).
enum class ScratchFill { kZeroed, kAsTaken };

// One block held for the length of a scope, zero-filled unless asked otherwise. A request of
// 0 bytes needs no memory and always succeeds (with a null pointer).
class ScopedScratch {
 public:
  ScopedScratch(const ScratchSource& source, size_t bytes, ScratchFill fill = ScratchFill::kZeroed);
  ~ScopedScratch();
  ScopedScratch(const ScopedScratch&) = delete;
  ScopedScratch& operator=(const ScopedScratch&) = delete;

  bool ok() const { return ok_; }
  void* data() const { return block_; }

 private:
  const ScratchSource& source_;
  void* block_ = nullptr;
  bool ok_ = true;
};

}  // namespace zk
