#include "logo_render.h"
#include "plugin.h"

namespace zk {
namespace {

#if defined(_WIN32)
bool LoadModuleBitmap(ImagePlane* out, int32_t resourceId) {
  return LoadBitmapResource(out, ModuleInstance(), resourceId);
}
constexpr BitmapResourceLoader kLoadResource = LoadModuleBitmap;
#else
constexpr BitmapResourceLoader kLoadResource = LoadEmbeddedBitmapResource;
#endif

int32_t RenderFrame(const FrameView& view) { return RenderLogo(view, kLoadResource, kHeapScratch); }

}  // namespace

const PluginDefinition kPlugin = {RenderFrame};

}  // namespace zk
