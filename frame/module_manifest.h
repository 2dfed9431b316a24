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
    return With(&ModuleManifest::variantMask, mask)
        .With(&ModuleManifest::variantDefault, byDefault)
        .With(&ModuleManifest::variantAlternate, alternate);
  }
  constexpr ModuleManifest Extra(uint32_t mask, uint32_t byDefault, uint32_t alternate) const {
    return With(&ModuleManifest::extraMask, mask)
        .With(&ModuleManifest::extraDefault, byDefault)
        .With(&ModuleManifest::extraAlternate, alternate);
  }
  constexpr ModuleManifest KeepingHostExtraWords() const {
    return With(&ModuleManifest::writesExtraWords, false);
  }
  constexpr ModuleManifest Aux(uint32_t word) const { return With(&ModuleManifest::auxWord, word); }
  constexpr ModuleManifest RenderingEveryRequestMode() const {
    return With(&ModuleManifest::declinesRequestMode, false);
  }
  constexpr ModuleManifest FromFrameOrigin() const {
    return With(&ModuleManifest::rectFromFrameOrigin, true);
  }
  constexpr ModuleManifest Settings(const SettingsSchema* table) const {
    return With(&ModuleManifest::settings, table);
  }
  constexpr ModuleManifest Choices(const HostChoiceTable* table) const {
    return With(&ModuleManifest::choices, table);
  }
  constexpr ModuleManifest State(FrameState carried) const {
    return With(&ModuleManifest::state, carried);
  }

  template <class T>
  constexpr ModuleManifest With(T ModuleManifest::*field, T value) const {
    ModuleManifest m = *this;
    m.*field = value;
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
