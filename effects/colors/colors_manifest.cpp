#include "colors_offsets.h"
#include "colors_render.h"
#include "module_manifest.h"

namespace zk {
extern const HostChoiceTable kColorsChoices;
namespace modules {

extern const ModuleManifest colors = Manifest("colors")
                                         .Variant(0x30000, kColorsVariantFlyIn, 0)
                                         .KeepingHostExtraWords()
                                         .Choices(&kColorsChoices);

}  // namespace modules
}  // namespace zk
