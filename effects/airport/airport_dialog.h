// The split-flap board's settings dialog (Windows builds): template 101 on the host's record.
#pragma once

#include <cstdint>

#include "host_records.h"

namespace zk {

int32_t RunAirportDialog(const ConfigureRequest& request);

}  // namespace zk
