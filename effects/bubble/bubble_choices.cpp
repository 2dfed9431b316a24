#include "bubble_render.h"
#include "host_choices.h"

namespace zk {
namespace {

constexpr HostChoice kChoices[] = {
    {HostWord::Variant, 0x10000, "growing", "a bubble of scene B grows over scene A"},
    {HostWord::Variant, kBubbleShrinkA, "shrinking", "a bubble of scene A shrinks over scene B"},
};

}  // namespace

extern const HostChoiceTable kBubbleChoices = MakeHostChoiceTable("bubble", kChoices);

}  // namespace zk
