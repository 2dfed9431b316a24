#include "scratch_source.h"

#include <cstdlib>
#include <cstring>

namespace zk {
namespace {
void* HeapAllocate(size_t bytes) { return std::malloc(bytes); }
void HeapRelease(void* block) { std::free(block); }
}  // namespace

const ScratchSource kHeapScratch = {HeapAllocate, HeapRelease};

ScopedScratch::ScopedScratch(const ScratchSource& source, size_t bytes, ScratchFill fill)
    : source_(source) {
  if (bytes == 0) return;
  block_ = source_.allocate(bytes);
  if (block_ == nullptr) {
    ok_ = false;
    return;
  }
  if (fill == ScratchFill::kZeroed) std::memset(block_, 0, bytes);
}

ScopedScratch::~ScopedScratch() {
  if (block_ != nullptr) source_.release(block_);
}

}  // namespace zk
