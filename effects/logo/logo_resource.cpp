#include "logo_resource.h"

#include "bitmap_reader.h"

namespace zk {

bool LoadEmbeddedBitmapResource(ImagePlane* out, int32_t resourceId) {
  out->data = nullptr;
  const EmbeddedBitmapFile file = FindEmbeddedBitmap(resourceId);
  // A resource holds what follows the file header.
  constexpr size_t kFileHeaderBytes = 14;
  if (file.bytes == nullptr || file.size <= kFileHeaderBytes) return false;
  return DecodeDib(out, file.bytes + kFileHeaderBytes, file.size - kFileHeaderBytes);
}

}  // namespace zk
