#include "logo_params.h"
#include "logo_render.h"
#include "plugin.h"

#if defined(_WIN32)
#include "logo_dialog.h"
#endif

namespace zk {
namespace {

#if defined(_WIN32)
bool LoadModuleBitmap(ImagePlane* out, int32_t resourceId) {
  return LoadBitmapResource(out, ModuleInstance(), resourceId);
}
constexpr BitmapResourceLoader kLoadResource = LoadModuleBitmap;
constexpr int32_t (*kConfigure)(const ConfigureRequest&) = ConfigureLogo;
#else
constexpr BitmapResourceLoader kLoadResource = LoadEmbeddedBitmapResource;
constexpr int32_t (*kConfigure)(const ConfigureRequest&) = nullptr;
#endif

int32_t RenderFrame(const FrameView& view) { return RenderLogo(view, kLoadResource, kHeapScratch); }

}  // namespace

const PluginDefinition kPlugin = {
    /*variantMask=*/0,
    /*variantDefault=*/0,
    /*variantAlternate=*/0,
    /*writesExtraWords=*/true,
    /*extraMask=*/0x300,
    /*extraDefault=*/0x300,
    /*extraAlternate=*/0x300,
    /*auxWord=*/0,
    /*paramBlockSize=*/sizeof(LogoParams),
    /*declinesRequestMode=*/true,
    /*rectFromFrameOrigin=*/true,
    RenderFrame,
    WriteLogoDefaults,
    kConfigure,
    /*onAttach=*/nullptr,
    /*onDetach=*/nullptr,
};

}  // namespace zk
