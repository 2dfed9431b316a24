// Words for the Kdenlive composition dialog, taken from the modules' own texts: the readable
// name of a transition, the label of a settings field and the meanings of enumerated values.
#pragma once

#include <string>
#include <vector>

#include "settings_schema.h"

namespace zk {

// "Cuboids_II-Zelkor" gives "Cuboids II"; a name that is not plain ASCII falls back to the
// module's file name with a capital ("curtain" gives "Curtain").
std::string ReadableEffectName(const std::string& effectName, const std::string& module);

// "tilesDown" gives "Tiles down", "lightPos1.x" gives "Light pos1 x".
std::string FieldLabel(const std::string& fieldName);

// One label per whole value from minValue to maxValue when the field's help names at least
// two of them ("0 crossfade, 1 bloom white, ..."); values the help leaves unnamed are shown
// as "N". Empty when the field is no enumeration (no integer, a wide range, or no names).
std::vector<std::string> EnumerationLabels(const SettingField& field);

}  // namespace zk
