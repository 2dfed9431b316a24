// What one frei0r plug-in wraps: the module's own definition (kPlugin), its manifest and its
// version. Each plug-in is built from the shared adapter plus a
// generated target.
#pragma once

#include <cstdint>

#include "host_choices.h"
#include "plugin.h"
#include "settings_schema.h"

namespace zk {

struct Frei0rTarget {
  const ModuleManifest* manifest;  // name, settings, host choices, frame state
  int32_t versionMajor;
  int32_t versionMinor;
};

extern const Frei0rTarget kFrei0rTarget;

}  // namespace zk
