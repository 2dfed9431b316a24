#include "module_manifest.h"
#include "spiral_render.h"

namespace zk {
extern const HostChoiceTable kSpiralChoices;
namespace modules {

extern const ModuleManifest spiral = Manifest("spiral")
                                         .Variant(3, 2, 0)
                                         // Bit 8: the host's colour word is read (the fill colour).
                                         .Extra(8, 8, 8)
                                         .Aux(2)
                                         .Choices(&kSpiralChoices);

}  // namespace modules
}  // namespace zk
