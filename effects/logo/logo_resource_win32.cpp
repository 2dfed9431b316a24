// The built-in mask from the module's own resources.
#include <windows.h>

#include "bitmap_reader.h"
#include "logo_resource.h"

namespace zk {

bool LoadBitmapResource(ImagePlane* out, void* instance, int32_t resourceId) {
  out->data = nullptr;
  HMODULE module = static_cast<HMODULE>(instance);
  HRSRC found =
      FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  if (found == nullptr) return false;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return false;
  return DecodeDib(out, static_cast<const uint8_t*>(bytes), size);
}

}  // namespace zk
