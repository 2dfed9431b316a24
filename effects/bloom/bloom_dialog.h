// Bloom's settings dialog (Windows builds): template 101 on the host's record, with a
// balloon tooltip on every control and the product version in its title.
#pragma once

#include <cstdint>

#include "dialog_tooltips.h"
#include "host_records.h"

namespace zk {

// The dialog's icon and tools, in the order they are added.
extern const TooltipSet kBloomTooltips;

}  // namespace zk
