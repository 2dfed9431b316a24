#include "curtain_render.h"
#include "module_manifest.h"

namespace zk::modules {
namespace {
// The names of the host's words, defined below the manifest.
extern const HostChoiceTable kChoiceTable;
}  // namespace

extern const ModuleManifest curtain =
    Manifest("curtain")
        .Variant(0x300, kCurtainOpens, 0x200)
        .Extra(kCurtainShadowWide | kCurtainShadowMedium | kCurtainShadowNarrow,
               kCurtainShadowMedium, kCurtainShadowMedium)
        .Choices(&kChoiceTable);

namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, kCurtainOpens, "opening", "a curtain of scene A opens over scene B"},
    {HostWord::Variant, 0x200, "closing", "a curtain of scene B closes over scene A"},
    {HostWord::Extra, 0, "no-shadow", "the curtain casts no shadow"},
    {HostWord::Extra, kCurtainShadowWide, "wide-shadow", "shadow offset by 1/20 of the frame"},
    {HostWord::Extra, kCurtainShadowMedium, "medium-shadow", "shadow offset by 1/35 of the frame"},
    {HostWord::Extra, kCurtainShadowNarrow, "narrow-shadow", "shadow offset by 1/60 of the frame"},
};
const HostChoiceTable kChoiceTable = MakeHostChoiceTable("curtain", kChoices);

}  // namespace

}  // namespace zk::modules
