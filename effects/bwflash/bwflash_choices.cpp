#include "bwflash_phase.h"
#include "host_choices.h"

namespace zk {
namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Extra, 0, "full", "scene B flashes all the way to white"},
    {HostWord::Extra, kFlashStrength06, "soft", "the flash reaches 0.6 of the way to white"},
    {HostWord::Extra, kFlashStrength08, "medium", "the flash reaches 0.8 of the way to white"},
    {HostWord::Extra, kFlashStrength09, "strong", "the flash reaches 0.9 of the way to white"},
};

}  // namespace

extern const HostChoiceTable kBwflashChoices = MakeHostChoiceTable("bwflash", kChoices);

}  // namespace zk
