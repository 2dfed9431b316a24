#include "module_manifest.h"
#include "spiral_render.h"
#include "spiral_turn.h"

namespace zk::modules {
namespace {
// The names of the host's words, defined below the manifest.
extern const HostChoiceTable kChoiceTable;
}  // namespace

extern const ModuleManifest spiral = Manifest("spiral")
                                         .Variant(3, 2, 0)
                                         // Bit 8: the host's colour word is read (the fill colour).
                                         .Extra(8, 8, 8)
                                         .Aux(2)
                                         .Choices(&kChoiceTable);

namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, 2, "forward", "the usual winding (every word but 1)"},
    {HostWord::Variant, kSpiralVariantReverse, "reverse", "the spiral winds the other way"},
    {HostWord::Extra, 8, "colour", "the host colour (--color) fills what turns out of the frame"},
};
const HostChoiceTable kChoiceTable = MakeHostChoiceTable("spiral", kChoices);

}  // namespace

}  // namespace zk::modules
