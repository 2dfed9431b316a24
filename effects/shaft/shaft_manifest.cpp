#include "module_manifest.h"
#include "shaft_bars.h"
#include "shaft_render.h"

namespace zk::modules {
namespace {
// The names of the host's words, defined below the manifest.
extern const HostChoiceTable kChoiceTable;
}  // namespace

extern const ModuleManifest shaft =
    Manifest("shaft")
        .Variant(kShaftRightToLeft | kShaftLeftToRight | kShaftFromCentre | kShaftFromSides,
                 kShaftLeftToRight, 0)
        .KeepingHostExtraWords()
        .Choices(&kChoiceTable);

namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, kShaftLeftToRight, "left-to-right", "the bars start from the left"},
    {HostWord::Variant, kShaftRightToLeft, "right-to-left", "the bars start from the right"},
    {HostWord::Variant, kShaftFromSides, "inward", "the bars start from both sides inward"},
    {HostWord::Variant, kShaftFromCentre, "outward", "the bars start from the centre outward"},
};
const HostChoiceTable kChoiceTable = MakeHostChoiceTable("shaft", kChoices);

}  // namespace

}  // namespace zk::modules
