// Twister's settings dialog (Windows builds): template 100 on the host's record.
#pragma once

#include <cstdint>

#include "host_records.h"

namespace zk {

// The configure call: runs the modal dialog over the host's window on its record.
int32_t ConfigureTwister(const ConfigureRequest& request);

}  // namespace zk
