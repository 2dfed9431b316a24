// What a module is, in one place: how it describes itself to the host, its settings table,
// the names of its host choices and whether it carries state from frame to frame. The entry
// glue answers the host from it, zelkor and the frei0r plug-ins find it by name (the build
// collects every module's manifest), and the tests read it.
#pragma once

#include <cstdint>

#include "host_choices.h"
#include "settings_schema.h"

namespace zk {

enum class FrameState : uint8_t {
  None,             // every frame follows from its own request
  FollowsProgress,  // carried between frames, from the progress and settings alone
  FollowsPictures,  // carried between frames and depends on the pictures too
};

struct ModuleManifest {
  const char* name;
  // Numeric words of the description record.
  uint32_t variantMask;
  uint32_t variantDefault;
  uint32_t variantAlternate;
  bool writesExtraWords;  // false: the three extra words keep the host's bytes
  uint32_t extraMask;
  uint32_t extraDefault;
  uint32_t extraAlternate;
  uint32_t auxWord;
  bool declinesRequestMode;                  // answer requestMode 1 with 0 before rendering
  bool rectFromFrameOrigin;                  // the effect ignores rectLeft and rectTop
  const SettingsSchema* settings = nullptr;  // null: no settings record
  const HostChoiceTable* choices = nullptr;  // null: no named host choices
  FrameState state = FrameState::None;
};

// Every shipped module's manifest, by name (null for an unknown name); the list ends in null.
const ModuleManifest* FindManifest(const char* name);
extern const ModuleManifest* const kManifests[];

}  // namespace zk
