#include "module_manifest.h"
#include "waves_render.h"
#include "waves_rings.h"

namespace zk::modules {
namespace {
// The names of the host's words, defined below the manifest.
extern const HostChoiceTable kChoiceTable;
}  // namespace

extern const ModuleManifest waves =
    Manifest("waves")
        .Variant(kWavesRingsOutward | kWavesRingsInward, kWavesRingsOutward, kWavesRingsInward)
        // Renders whatever requestMode holds.
        .RenderingEveryRequestMode()
        .Choices(&kChoiceTable);

namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, kWavesRingsOutward, "outward", "the rings travel out to the border"},
    {HostWord::Variant, kWavesRingsInward, "inward", "the rings travel in to the centre"},
};
const HostChoiceTable kChoiceTable = MakeHostChoiceTable("waves", kChoices);

}  // namespace

}  // namespace zk::modules
