#include "module_manifest.h"
#include "waves_render.h"
#include "waves_rings.h"

namespace zk {
extern const HostChoiceTable kWavesChoices;
namespace modules {

extern const ModuleManifest waves =
    Manifest("waves")
        .Variant(kWavesRingsOutward | kWavesRingsInward, kWavesRingsOutward, kWavesRingsInward)
        // Renders whatever requestMode holds.
        .RenderingEveryRequestMode()
        .Choices(&kWavesChoices);

}  // namespace modules
}  // namespace zk
