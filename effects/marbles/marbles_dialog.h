// The "Marbles" settings dialog (Windows builds): template 101 on the host's record, with a
// balloon tooltip on every control and the product version in its title.
#pragma once

#include <cstdint>

#include "dialog_tooltips.h"
#include "host_records.h"

namespace zk {

// Process attach: the common control classes the dialog's trackbars need.
void RegisterMarblesControls();

// The dialog's icon and tools, in the order they are added.
extern const TooltipSet kMarblesTooltips;

}  // namespace zk
