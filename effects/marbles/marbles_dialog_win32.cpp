// The "Marbles" settings dialog: every control but the six light positions edits the
// host's record at once; the positions are read when OK is pressed. Radio buttons of the
// light mode, presets and "Reset Defaults" refresh the whole dialog; the tooltips and the
// version in the title are set up once per opening.
#include <windows.h>
// After <windows.h>:
#include <commctrl.h>

#include "dialog_kit.h"
#include "marbles_dialog.h"
#include "marbles_ids.h"
#include "marbles_params.h"
#include "plugin.h"
#include "saturating_trunc.h"

namespace zk {
namespace {

constexpr uint32_t kRangeDegrees = 0x168FE98;  // -360 to 360
constexpr uint32_t kRange0To100 = 0x640000;
constexpr uint32_t kRange1To100 = 0x640001;
constexpr uint32_t kRange0To1000 = 0x3E80000;
constexpr uint32_t kRange1To15 = 0xF0001;
constexpr float kPositionScale = 0.01f;  // trackbar positions to floats

// Where a setting shows and how its trackbar is laid out.
struct Slider {
  int32_t trackbar;
  int32_t label;
  uint32_t range;
  int32_t step;  // page size and tic frequency
};

// Whole-degree settings with their "neutral" buttons.
struct DegreeSlider {
  Slider slider;
  int32_t neutral;
  int32_t MarblesParams::*field;
};

const DegreeSlider kDegreeSliders[] = {
    {{MARBLES_ROTATE_X, MARBLES_ROTATE_X_LABEL, kRangeDegrees, 10},
     MARBLES_ROTATE_X_NEUTRAL,
     &MarblesParams::rotateX},
    {{MARBLES_ROTATE_Y, MARBLES_ROTATE_Y_LABEL, kRangeDegrees, 10},
     MARBLES_ROTATE_Y_NEUTRAL,
     &MarblesParams::rotateY},
    {{MARBLES_ROTATE_Z, MARBLES_ROTATE_Z_LABEL, kRangeDegrees, 10},
     MARBLES_ROTATE_Z_NEUTRAL,
     &MarblesParams::rotateZ},
    {{MARBLES_LIGHT_ROT_X, MARBLES_LIGHT_ROT_X_LABEL, kRangeDegrees, 10},
     MARBLES_LIGHT_ROT_X_NEUTRAL,
     &MarblesParams::lightRotX},
    {{MARBLES_LIGHT_ROT_Y, MARBLES_LIGHT_ROT_Y_LABEL, kRangeDegrees, 10},
     MARBLES_LIGHT_ROT_Y_NEUTRAL,
     &MarblesParams::lightRotY},
    {{MARBLES_LIGHT_ROT_Z, MARBLES_LIGHT_ROT_Z_LABEL, kRangeDegrees, 10},
     MARBLES_LIGHT_ROT_Z_NEUTRAL,
     &MarblesParams::lightRotZ},
};
constexpr int32_t kFirstLightDegreeSlider = 3;

// Float settings shown as hundredths on their trackbars and integer labels.
struct HundredthsSlider {
  Slider slider;
  float MarblesParams::*field;
};

const HundredthsSlider kHundredthsSliders[] = {
    {{MARBLES_XFADE, MARBLES_XFADE_LABEL, kRange0To100, 1}, &MarblesParams::xFade},
    {{MARBLES_STATIC, MARBLES_STATIC_LABEL, kRange0To100, 1}, &MarblesParams::staticTime},
    {{MARBLES_MOVE, MARBLES_MOVE_LABEL, kRange0To100, 1}, &MarblesParams::moveTime},
    {{MARBLES_SIZE, MARBLES_SIZE_LABEL, kRange1To100, 1}, &MarblesParams::size},
    {{MARBLES_TRANSP_START, MARBLES_TRANSP_START_LABEL, kRange0To100, 1},
     &MarblesParams::transpStart},
    {{MARBLES_TRANSP_END, MARBLES_TRANSP_END_LABEL, kRange0To100, 1}, &MarblesParams::transpEnd},
    {{MARBLES_SHADE_IMPACT, MARBLES_SHADE_IMPACT_LABEL, kRange0To100, 1},
     &MarblesParams::shadeImpact},
};

const Slider kColorHueSlider = {MARBLES_COLOR_HUE, MARBLES_COLOR_HUE_LABEL, kRange0To1000, 10};
const Slider kGlossSlider = {MARBLES_SHADE_GLOSS, MARBLES_SHADE_GLOSS_LABEL, kRange1To15, 10};

// The position boxes: x, y, z of each light position.
const int32_t kPosition1Boxes[3] = {MARBLES_POS1_X, MARBLES_POS1_Y, MARBLES_POS1_Z};
const int32_t kPosition2Boxes[3] = {MARBLES_POS2_X, MARBLES_POS2_Y, MARBLES_POS2_Z};

// The list shows the presets in preset order, which is not the order of their strings.
const int32_t kPresetStrings[kMarblesPresetCount] = {MARBLES_STRING_TUB, MARBLES_STRING_BOARD,
                                                     MARBLES_STRING_BUMP, MARBLES_STRING_RANDOM,
                                                     MARBLES_STRING_TUB2};

HINSTANCE Instance() { return static_cast<HINSTANCE>(ModuleInstance()); }

// A float setting as its trackbar and integer label show it: the value times 100, truncated
// (a value no int can hold saturates; the trackbar holds it to its ends).
int32_t Hundredths(float value) { return SaturatingTrunc(static_cast<double>(value) * 100); }
float FromPosition(int32_t position) {
  return static_cast<float>(position * static_cast<double>(kPositionScale));
}

void ShowSlider(HWND dialog, const Slider& s, int32_t position) {
  initTrackbar(GetDlgItem(dialog, s.trackbar), s.range, position, s.step, s.step);
}

void ShowDegrees(HWND dialog, const MarblesParams& p, const DegreeSlider& d) {
  ShowSlider(dialog, d.slider, p.*d.field);
  showIntLabel(dialog, d.slider.label, p.*d.field);
}

void ShowHundredths(HWND dialog, const MarblesParams& p, const HundredthsSlider& h) {
  ShowSlider(dialog, h.slider, Hundredths(p.*h.field));
  showIntLabel(dialog, h.slider.label, Hundredths(p.*h.field));
}

void ShowColorHue(HWND dialog, const MarblesParams& p) {
  ShowSlider(dialog, kColorHueSlider, Hundredths(p.colorHue));
  showFloatLabel(dialog, kColorHueSlider.label, p.colorHue);
}

int32_t OrderButton(const MarblesParams& p) {
  switch (p.order) {
    case kMarblesByDistance:
      return p.farFirst != 0 ? MARBLES_ORDER_TUB : MARBLES_ORDER_BUMP;
    case kMarblesRandomly:
      return MARBLES_ORDER_RANDOM;
    default:
      return MARBLES_ORDER_BOARD;  // the frame renders unknown orders as one board
  }
}

int32_t LightButton(const MarblesParams& p) {
  if (p.lightMode == kLightLinear) return MARBLES_LIGHT_LINEAR;
  if (p.lightMode == kLightRotating) return MARBLES_LIGHT_ROTATING;
  return MARBLES_LIGHT_FIXED;  // the frame holds the light still for unknown modes
}

void Enable(HWND dialog, int32_t id, bool on) { EnableWindow(GetDlgItem(dialog, id), on); }

// Position 2 serves the straight motion only, the light's turning the rotation only.
void ShowLightEnabling(HWND dialog, const MarblesParams& p) {
  const bool linear = p.lightMode == kLightLinear;
  const bool rotating = p.lightMode == kLightRotating;
  Enable(dialog, MARBLES_POS2_TEXT, linear);
  for (int32_t id : kPosition2Boxes) Enable(dialog, id, linear);
  const int32_t texts[3] = {MARBLES_LIGHT_ROT_X_TEXT, MARBLES_LIGHT_ROT_Y_TEXT,
                            MARBLES_LIGHT_ROT_Z_TEXT};
  for (int32_t i = 0; i < 3; ++i) {
    Enable(dialog, texts[i], rotating);
    Enable(dialog, kDegreeSliders[kFirstLightDegreeSlider + i].slider.trackbar, rotating);
  }
}

void ShowPositions(HWND dialog, const float* position, const int32_t* boxes) {
  for (int32_t k = 0; k < 3; ++k)
    SetDlgItemInt(dialog, boxes[k], SaturatingTrunc(position[k]), TRUE);
}

// Like fillPresetList, in preset order: keeps the selection, else selects "Tub Sample".
void FillPresets(HWND dialog) {
  HWND combo = GetDlgItem(dialog, MARBLES_PRESET_LIST);
  const LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  char text[250];
  for (int32_t id : kPresetStrings) {
    text[0] = '\0';
    LoadStringA(Instance(), static_cast<UINT>(id), text, sizeof text);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  if (selection != CB_ERR) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    return;
  }
  text[0] = '\0';
  LoadStringA(Instance(), MARBLES_STRING_TUB, text, sizeof text);
  SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

void ShowSettings(HWND dialog, const MarblesParams& p) {
  CheckRadioButton(dialog, MARBLES_SURFACE_TO_VIEWER, MARBLES_VIEWER_TO_SURFACE,
                   p.viewerToSurface != 0 ? MARBLES_VIEWER_TO_SURFACE : MARBLES_SURFACE_TO_VIEWER);
  CheckRadioButton(dialog, MARBLES_ORDER_BOARD, MARBLES_ORDER_RANDOM, OrderButton(p));
  for (int32_t i = 0; i < kFirstLightDegreeSlider; ++i) ShowDegrees(dialog, p, kDegreeSliders[i]);
  for (const HundredthsSlider& h : kHundredthsSliders) ShowHundredths(dialog, p, h);
  ShowSlider(dialog, kGlossSlider, p.shadeGloss);
  showIntLabel(dialog, kGlossSlider.label, p.shadeGloss);
  ShowColorHue(dialog, p);
  CheckRadioButton(dialog, MARBLES_LIGHT_FIXED, MARBLES_LIGHT_ROTATING, LightButton(p));
  ShowLightEnabling(dialog, p);
  ShowPositions(dialog, p.lightPos1, kPosition1Boxes);
  ShowPositions(dialog, p.lightPos2, kPosition2Boxes);
  for (int32_t i = kFirstLightDegreeSlider; i < 6; ++i) ShowDegrees(dialog, p, kDegreeSliders[i]);
  FillPresets(dialog);
}

// Trackbars in the order their messages are matched.
INT_PTR OnScroll(HWND dialog, MarblesParams* p, HWND bar) {
  auto is = [&](int32_t id) { return bar == GetDlgItem(dialog, id); };
  const int32_t position = readTrackbar(bar);
  bool found = false;
  for (int32_t i = 0; i < kFirstLightDegreeSlider && !found; ++i) {
    const DegreeSlider& d = kDegreeSliders[i];
    if (!is(d.slider.trackbar)) continue;
    p->*d.field = position;
    showIntLabel(dialog, d.slider.label, position);
    found = true;
  }
  for (const HundredthsSlider& h : kHundredthsSliders) {
    if (found || !is(h.slider.trackbar)) continue;
    p->*h.field = FromPosition(position);
    showIntLabel(dialog, h.slider.label, Hundredths(p->*h.field));
    found = true;
  }
  if (!found && is(kColorHueSlider.trackbar)) {
    p->colorHue = FromPosition(position);
    showFloatLabel(dialog, kColorHueSlider.label, p->colorHue);
    found = true;
  }
  if (!found && is(kGlossSlider.trackbar)) {
    p->shadeGloss = position;
    showIntLabel(dialog, kGlossSlider.label, position);
    found = true;
  }
  for (int32_t i = kFirstLightDegreeSlider; i < 6 && !found; ++i) {
    const DegreeSlider& d = kDegreeSliders[i];
    if (!is(d.slider.trackbar)) continue;
    p->*d.field = position;
    showIntLabel(dialog, d.slider.label, position);
    found = true;
  }
  if (!found) return 0;
  UpdateWindow(dialog);
  return 1;
}

void ReadPositions(HWND dialog, float* position, const int32_t* boxes) {
  for (int32_t k = 0; k < 3; ++k)
    position[k] =
        static_cast<float>(static_cast<int32_t>(GetDlgItemInt(dialog, boxes[k], nullptr, TRUE)));
}

INT_PTR CALLBACK MarblesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void Reinitialise(HWND dialog) {
  MarblesDialogProc(dialog, WM_INITDIALOG, 0, 0);
  UpdateWindow(dialog);
}

// The radio buttons, which act on the click alone.
void OnChoice(HWND dialog, MarblesParams* p, int32_t id) {
  switch (id) {
    case MARBLES_SURFACE_TO_VIEWER:
    case MARBLES_VIEWER_TO_SURFACE:
      p->viewerToSurface = id == MARBLES_VIEWER_TO_SURFACE ? 1 : 0;
      return;
    case MARBLES_ORDER_BOARD:
      p->order = kMarblesTogether;
      return;
    case MARBLES_ORDER_TUB:
    case MARBLES_ORDER_BUMP:
      p->order = kMarblesByDistance;
      p->farFirst = id == MARBLES_ORDER_TUB ? 1 : 0;
      return;
    case MARBLES_ORDER_RANDOM:
      p->order = kMarblesRandomly;
      return;
    case MARBLES_LIGHT_FIXED:
    case MARBLES_LIGHT_LINEAR:
    case MARBLES_LIGHT_ROTATING:
      p->lightMode = id - MARBLES_LIGHT_FIXED;
      Reinitialise(dialog);
      return;
    default:
      return;
  }
}

// The "neutral" buttons: the setting back to no turn (or to the sampled colour).
bool OnNeutral(HWND dialog, MarblesParams* p, int32_t id) {
  for (const DegreeSlider& d : kDegreeSliders) {
    if (id != d.neutral) continue;
    p->*d.field = 0;
    ShowDegrees(dialog, *p, d);
    return true;
  }
  if (id != MARBLES_COLOR_HUE_NEUTRAL) return false;
  p->colorHue = 1.0f;
  ShowColorHue(dialog, *p);
  return true;
}

// OK: the light positions come from their boxes; Escape or the close box end the dialog
// without them. Either way the tooltip window goes with the dialog.
INT_PTR Close(HWND dialog, MarblesParams* p, int32_t result) {
  if (result == IDOK) {
    ReadPositions(dialog, p->lightPos1, kPosition1Boxes);
    ReadPositions(dialog, p->lightPos2, kPosition2Boxes);
  }
  ModuleDialogTooltips(kMarblesTooltips).detach();
  EndDialog(dialog, result);
  return 1;
}

INT_PTR OnCommand(HWND dialog, MarblesParams* p, int32_t id, int32_t code) {
  switch (id) {
    case IDOK:
    case IDCANCEL:
      return Close(dialog, p, id);
    case MARBLES_DEFAULTS_BUTTON:
      ApplyMarblesPreset(p, 0);
      Reinitialise(dialog);
      return 1;
    case MARBLES_PRESET_LIST:
      if (code != CBN_SELCHANGE) return 0;
      ApplyMarblesPreset(p, static_cast<int32_t>(SendDlgItemMessageA(dialog, MARBLES_PRESET_LIST,
                                                                     CB_GETCURSEL, 0, 0)));
      Reinitialise(dialog);
      return 1;
    default:
      break;
  }
  if (code != 0) return 0;
  if (OnNeutral(dialog, p, id)) {
    UpdateWindow(dialog);
    return 1;
  }
  OnChoice(dialog, p, id);
  return 0;
}

INT_PTR CALLBACK MarblesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  // Made on the first message the dialog ever gets; process exit detaches it.
  DialogTooltips& tips = ModuleDialogTooltips(kMarblesTooltips);
  MarblesParams* p = EditedBlockAs<MarblesParams>();
  if (p == nullptr) return 0;
  switch (message) {
    case WM_INITDIALOG:
      tips.attachDialog(dialog, Instance());
      tips.activate(TRUE);
      ShowSettings(dialog, *p);
      return 0;
    case WM_HSCROLL:
      return OnScroll(dialog, p, reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, p, LOWORD(wParam), HIWORD(wParam));
    case WM_SYSCOLORCHANGE:
    case WM_LBUTTONUP:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

int32_t ConfigureMarbles(const ConfigureRequest& request) {
  return openSettingsDialog(request, MARBLES_DIALOG, MarblesDialogProc);
}

void RegisterMarblesControls() { InitCommonControls(); }

}  // namespace zk
