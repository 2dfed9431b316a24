// The character rain's settings dialog (Windows builds): template 110 on the host's record.
#pragma once

#include <cstdint>

#include "host_records.h"

namespace zk {

int32_t RunCharsDialog(const ConfigureRequest& request);

}  // namespace zk
