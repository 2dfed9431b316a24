// The rays settings dialog (Windows builds): template 100 on the host's record.
#pragma once

#include <cstdint>

#include "host_records.h"

namespace zk {

// The configure call: keeps the request (the graph reads its bar count) and runs the
// modal dialog over the host's window on its record.
int32_t ConfigureRays(const ConfigureRequest& request);

}  // namespace zk
