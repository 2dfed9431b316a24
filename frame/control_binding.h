// How a settings field shows in its module's dialog: which control edits it and how the
// record's value turns into the whole number the control shows and back. Plain data, so the
// tables that hold it build natively too; the Windows dialog binder reads it.
#pragma once

#include <cstdint>

namespace zk {

// The named ways a record value becomes a control position and a position becomes a value.
// The modules differ in float bits on purpose, so each case keeps its own rounding.
enum class Conversion : uint8_t {
  Whole,               // whole-number field: the position is the value
  WholeFloat,          // float holding a whole number: shown truncated, stored as float(position)
  PercentDivide,       // float 0..1 shown as value x 100 truncated; stored float(position / 100.0)
  PercentFloatStep,    // the same shown; stored float(position * double(0.01f))
  PercentFloatDivide,  // the same shown; stored float(position) / 100.0f
  PercentTimesDouble,  // the same shown; stored float(position * 0.01)
  PercentFromTop,      // shown 100 - value x 100 truncated; stored float(1.0 - position * 0.01)
  PercentTimesFloat,   // shown value x 100 truncated; stored float(position) * 0.01f
  OddSteps,            // odd whole numbers 1, 3, 5 ...: shown (value - 1) / 2, stored 2p + 1
};

// What a trackbar's value label shows of the record's value.
enum class LabelShows : uint8_t {
  Position,    // the whole number the trackbar shows (the value itself for PercentFromTop)
  Value,       // the float field, "%.2f"
  Tenths,      // a whole-number field divided by 10, "%.2f"
  Hundredths,  // a whole-number field divided by 100, "%.2f"
};

enum class ControlKind : uint8_t {
  None,          // not in the dialog, or edited by the module's own rules
  Trackbar,      // a trackbar with a value label
  Radios,        // a group of radio buttons, one value each
  CheckBox,      // 0 or 1
  ColourButton,  // the colour chooser and a swatch painted beside the button
  PathChooser,   // an edit showing the path and a button opening the file chooser
  List,          // a drop-down list of strings from the string table; the value is the index
};

// One radio button and the value it stands for.
struct RadioChoice {
  int32_t id;
  int32_t value;
};

struct SwatchRect {
  int16_t left, top, right, bottom;  // window pixels, frame included
};

struct ControlBinding {
  ControlKind kind = ControlKind::None;
  int32_t id = 0;      // trackbar, check box, colour button, path edit; the first radio button
  int32_t second = 0;  // the trackbar's label, the last radio button, the path's button
  uint32_t range = 0;  // trackbar range word: minimum low 16 bits, maximum high 16 bits
  int16_t page = 0;
  int16_t tics = 0;
  Conversion conversion = Conversion::Whole;
  LabelShows label = LabelShows::Position;
  // Trackbars: a notification at the position the field already shows stores nothing, so a
  // value between two positions survives a click that does not move the thumb.
  bool keepsUnmovedValue = false;
  const RadioChoice* choices = nullptr;  // radios: every button of the group and its value
  int8_t choiceCount = 0;
  int32_t fallbackId = 0;        // radios: the button checked for a value with none of its own
  SwatchRect swatch = {};        // colour buttons; all zero: over the control `second`
  const char* filter = nullptr;  // path choosers: "Name|*.ext" (a bar between the two parts)
  int16_t chooserBytes = 0;      // path choosers: the chooser's buffer, 0 for the field's size
  int32_t firstString = 0;       // lists: the string of entry 0
  int8_t stringCount = 0;        // lists: how many entries
  bool refreshesDialog = false;  // a change shows every control again
};

// The dialog around the controls: its template, how it closes, its defaults button and its
// preset list (the names come from the string table, one string per preset).
struct DialogLayout {
  int32_t templateId = 0;
  bool closesOnEscape = false;              // Escape and the close box end it too, not only OK
  int32_t defaultsButtonId = 0;             // 0: none
  bool defaultsAppliesFirstPreset = false;  // else the module's defaults
  int32_t presetListId = 0;                 // 0: no preset list
  int32_t presetDefaultString = 0;          // selected while the list has no selection
  const int32_t* presetStrings = nullptr;   // the names' string ids in preset order
  int32_t firstPresetString = 0;            // or consecutive strings from this one
};

constexpr uint32_t TrackbarRange(int32_t minimum, int32_t maximum) {
  return (static_cast<uint32_t>(maximum) << 16) | (static_cast<uint32_t>(minimum) & 0xFFFFu);
}

// A control of `kind` with its first id and the second (label, last button, chooser button).
constexpr ControlBinding Control(ControlKind kind, int32_t id, int32_t second = 0) {
  ControlBinding b;
  b.kind = kind;
  b.id = id;
  b.second = second;
  return b;
}

constexpr ControlBinding Trackbar(int32_t id, int32_t label, int32_t minimum, int32_t maximum,
                                  int16_t page, int16_t tics, Conversion conversion,
                                  LabelShows shows = LabelShows::Position) {
  ControlBinding b = Control(ControlKind::Trackbar, id, label);
  b.range = TrackbarRange(minimum, maximum);
  b.page = page;
  b.tics = tics;
  b.conversion = conversion;
  b.label = shows;
  return b;
}

constexpr ControlBinding KeepingUnmovedValue(ControlBinding b) {
  b.keepsUnmovedValue = true;
  return b;
}

template <int N>
constexpr ControlBinding Radios(int32_t firstId, int32_t lastId, const RadioChoice (&choices)[N],
                                int32_t fallbackId) {
  ControlBinding b = Control(ControlKind::Radios, firstId, lastId);
  b.choices = choices;
  b.choiceCount = N;
  b.fallbackId = fallbackId;
  return b;
}

// Radio buttons not numbered in one run: each is checked or cleared on its own.
template <int N>
constexpr ControlBinding ScatteredRadios(const RadioChoice (&choices)[N], int32_t fallbackId) {
  return Radios(choices[0].id, 0, choices, fallbackId);
}

constexpr ControlBinding CheckBox(int32_t id) { return Control(ControlKind::CheckBox, id); }

constexpr ControlBinding ColourButton(int32_t id, SwatchRect swatch) {
  ControlBinding b = Control(ControlKind::ColourButton, id);
  b.swatch = swatch;
  return b;
}

// A swatch over a (hidden) control of the template instead of fixed pixels.
constexpr ControlBinding ColourButtonOver(int32_t id, int32_t swatchControl) {
  return Control(ControlKind::ColourButton, id, swatchControl);
}

constexpr ControlBinding PathChooser(int32_t editId, int32_t buttonId, const char* filter,
                                     int16_t chooserBytes = 0) {
  ControlBinding b = Control(ControlKind::PathChooser, editId, buttonId);
  b.filter = filter;
  b.chooserBytes = chooserBytes;
  return b;
}

constexpr ControlBinding List(int32_t id, int32_t firstString, int8_t count) {
  ControlBinding b = Control(ControlKind::List, id);
  b.firstString = firstString;
  b.stringCount = count;
  return b;
}

constexpr ControlBinding RefreshingDialog(ControlBinding b) {
  b.refreshesDialog = true;
  return b;
}

}  // namespace zk
