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
  const char* name = nullptr;
  // Numeric words of the description record.
  uint32_t variantMask = 0;
  uint32_t variantDefault = 0;
  uint32_t variantAlternate = 0;
  bool writesExtraWords = true;  // false: the three extra words keep the host's bytes
  uint32_t extraMask = 0;
  uint32_t extraDefault = 0;
  uint32_t extraAlternate = 0;
  uint32_t auxWord = 0;
  bool declinesRequestMode = true;           // answer requestMode 1 with 0 before rendering
  bool rectFromFrameOrigin = false;          // the effect ignores rectLeft and rectTop
  const SettingsSchema* settings = nullptr;  // null: no settings record
  const HostChoiceTable* choices = nullptr;  // null: no named host choices
  FrameState state = FrameState::None;

  // A manifest is written as Manifest("name") followed by what differs from the defaults.
  constexpr ModuleManifest Variant(uint32_t mask, uint32_t byDefault, uint32_t alternate) const {
    ModuleManifest m = *this;
    m.variantMask = mask;
    m.variantDefault = byDefault;
    m.variantAlternate = alternate;
    return m;
  }
  constexpr ModuleManifest Extra(uint32_t mask, uint32_t byDefault, uint32_t alternate) const {
    ModuleManifest m = *this;
    m.extraMask = mask;
    m.extraDefault = byDefault;
    m.extraAlternate = alternate;
    return m;
  }
  constexpr ModuleManifest KeepingHostExtraWords() const {
    ModuleManifest m = *this;
    m.writesExtraWords = false;
    return m;
  }
  constexpr ModuleManifest Aux(uint32_t word) const {
    ModuleManifest m = *this;
    m.auxWord = word;
    return m;
  }
  constexpr ModuleManifest RenderingEveryRequestMode() const {
    ModuleManifest m = *this;
    m.declinesRequestMode = false;
    return m;
  }
  constexpr ModuleManifest FromFrameOrigin() const {
    ModuleManifest m = *this;
    m.rectFromFrameOrigin = true;
    return m;
  }
  constexpr ModuleManifest Settings(const SettingsSchema* table) const {
    ModuleManifest m = *this;
    m.settings = table;
    return m;
  }
  constexpr ModuleManifest Choices(const HostChoiceTable* table) const {
    ModuleManifest m = *this;
    m.choices = table;
    return m;
  }
  constexpr ModuleManifest State(FrameState carried) const {
    ModuleManifest m = *this;
    m.state = carried;
    return m;
  }
};

constexpr ModuleManifest Manifest(const char* name) {
  ModuleManifest m;
  m.name = name;
  return m;
}

// Every shipped module's manifest, by name (null for an unknown name); the list ends in null.
const ModuleManifest* FindManifest(const char* name);
extern const ModuleManifest* const kManifests[];

}  // namespace zk
