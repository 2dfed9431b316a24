#include "bwflash_phase.h"
#include "bwflash_render.h"
#include "module_manifest.h"

namespace zk {
extern const HostChoiceTable kBwflashChoices;
namespace modules {

extern const ModuleManifest bwflash =
    Manifest("bwflash")
        .Extra(kFlashStrength06 | kFlashStrength08 | kFlashStrength09, 0, 0)
        .Choices(&kBwflashChoices);

}  // namespace modules
}  // namespace zk
