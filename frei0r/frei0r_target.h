// What one frei0r plug-in wraps: the module's own definition (kPlugin), its settings schema,
// its named host choices and its version. Each plug-in is built from the shared adapter plus a
// generated target.
#pragma once

#include <cstdint>

#include "host_choices.h"
#include "plugin.h"
#include "settings_schema.h"

namespace zk {

struct Frei0rTarget {
  const char* module;              // "curtain"
  const SettingsSchema* schema;    // null without settings
  const HostChoiceTable* choices;  // null when the module names no host choices
  int32_t versionMajor;
  int32_t versionMinor;
  // The module's frame-to-frame state follows the progress and settings alone: replays of
  // earlier frames run on blank pictures, and no pictures are kept for them.
  bool stateIgnoresPictures;
};

extern const Frei0rTarget kFrei0rTarget;

}  // namespace zk
