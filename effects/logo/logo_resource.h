// The logo module's bitmap resource: the built-in mask picture (resource 104). Windows
// modules read it from their resources; native modules carry the same file embedded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image_plane.h"

namespace zk {

constexpr int32_t kDefaultMaskResource = 104;

// Decodes bitmap resource `resourceId` into a new 24-bit picture (bottom row first, as
// DecodeDib leaves it); false when there is no such resource or it cannot be decoded.
using BitmapResourceLoader = bool (*)(ImagePlane* out, int32_t resourceId);

// The embedded copies of the module's bitmap files (with their 14-byte file header), by
// resource number; {null, 0} when there is none. Generated from the committed bitmaps.
struct EmbeddedBitmapFile {
  const uint8_t* bytes;
  size_t size;
};
EmbeddedBitmapFile FindEmbeddedBitmap(int32_t resourceId);

// The loader of native modules: the embedded copy, decoded like a resource.
bool LoadEmbeddedBitmapResource(ImagePlane* out, int32_t resourceId);

}  // namespace zk

#if defined(_WIN32)
namespace zk {
// Windows modules: the RT_BITMAP resource of `instance` (an information header, colour
// table and pixels without a file header), decoded with DecodeDib.
bool LoadBitmapResource(ImagePlane* out, void* instance, int32_t resourceId);
}  // namespace zk
#endif
