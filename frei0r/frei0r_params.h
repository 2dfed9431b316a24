// The frei0r parameter list of a wrapped module: progress, every settings field, the preset,
// field mode and the host choices (bit by bit, and by name where the module names them), each
// with its frei0r type and how it maps to our records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frei0r_target.h"
#include "host_choices.h"

namespace zk {

enum class Frei0rParamKind {
  Progress,
  Field,   // a settings field (see `field`)
  Preset,  // raw preset index; below 0 keeps the defaults
  FieldMode,
  VariantBit,
  ExtraBit,
  ExtraColour,
  // One of the module's named choices for a whole host word, by its place among that word's
  // choices; below 0 leaves the word to the bits.
  NamedChoice,
};

struct Frei0rParam {
  Frei0rParamKind kind;
  int type;  // F0R_PARAM_*
  std::string name;
  std::string explanation;
  const SettingField* field = nullptr;
  uint32_t bit = 0;
  HostWord word = HostWord::Variant;  // NamedChoice: the word it sets
  std::vector<uint32_t> words = {};   // NamedChoice: the word's value each index stands for
};

std::vector<Frei0rParam> BuildFrei0rParams(const ModuleManifest& module);

// A frei0r double in [0, 1] for a settings field and back (rescaled to the dialog range).
double FieldToUnit(const SettingField& field, const void* block);
void UnitToField(const SettingField& field, double unit, void* block);

}  // namespace zk
