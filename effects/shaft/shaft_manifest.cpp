#include "module_manifest.h"
#include "shaft_bars.h"
#include "shaft_render.h"

namespace zk {
extern const HostChoiceTable kShaftChoices;
namespace modules {

extern const ModuleManifest shaft =
    Manifest("shaft")
        .Variant(kShaftRightToLeft | kShaftLeftToRight | kShaftFromCentre | kShaftFromSides,
                 kShaftLeftToRight, 0)
        .KeepingHostExtraWords()
        .Choices(&kShaftChoices);

}  // namespace modules
}  // namespace zk
