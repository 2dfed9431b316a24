#include "bwflash_phase.h"
#include "bwflash_render.h"
#include "module_manifest.h"

namespace zk::modules {
namespace {
// The names of the host's words, defined below the manifest.
extern const HostChoiceTable kChoiceTable;
}  // namespace

extern const ModuleManifest bwflash =
    Manifest("bwflash")
        .Extra(kFlashStrength06 | kFlashStrength08 | kFlashStrength09, 0, 0)
        .Choices(&kChoiceTable);

namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Extra, 0, "full", "scene B flashes all the way to white"},
    {HostWord::Extra, kFlashStrength06, "soft", "the flash reaches 0.6 of the way to white"},
    {HostWord::Extra, kFlashStrength08, "medium", "the flash reaches 0.8 of the way to white"},
    {HostWord::Extra, kFlashStrength09, "strong", "the flash reaches 0.9 of the way to white"},
};
const HostChoiceTable kChoiceTable = MakeHostChoiceTable("bwflash", kChoices);

}  // namespace

}  // namespace zk::modules
