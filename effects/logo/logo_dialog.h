// The settings dialog "Options for Logo" (Windows builds only).
#pragma once

#if defined(_WIN32)

#include <cstdint>

#include "host_records.h"

namespace zk {

int32_t ConfigureLogo(const ConfigureRequest& request);

}  // namespace zk

#endif
