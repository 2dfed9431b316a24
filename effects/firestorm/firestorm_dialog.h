// The fire's settings dialog (Windows builds): template 101 on the host's record.
#pragma once

#include <cstdint>

#include "host_records.h"

namespace zk {

// The configure call: runs the modal dialog over the host's window on its record.
int32_t ConfigureFirestorm(const ConfigureRequest& request);

}  // namespace zk
