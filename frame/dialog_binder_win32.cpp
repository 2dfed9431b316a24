#include <windows.h>

#include "dialog_binder.h"
// The common dialogs header needs <windows.h> first.
#include <commdlg.h>

#include <cstring>

#include "dialog_kit.h"
#include "plugin.h"
#include "setting_conversions.h"

namespace zk {
namespace {

// What the open dialog shows; one modal settings dialog is open at a time.
struct DialogDeclaration {
  const SettingsSchema* schema;
  const DialogLayout* layout;
  DialogRules rules;
};
DialogDeclaration g_declaration = {};

constexpr int32_t kListTextBytes = 250;

uint8_t* FieldAt(void* block, const SettingField& f) {
  return static_cast<uint8_t*>(block) + f.offset;
}

uint32_t* ColourField(void* block, const SettingField& f) {
  return reinterpret_cast<uint32_t*>(FieldAt(block, f));
}

// A path field, terminated inside its buffer whatever the host left there.
char* TerminatedPath(void* block, const SettingField& f) {
  char* path = reinterpret_cast<char*>(FieldAt(block, f));
  if (std::memchr(path, 0, f.size) == nullptr) path[f.size - 1] = '\0';
  return path;
}

void ShowLabel(HWND dialog, const SettingField& f, const void* block) {
  const LabelText t = TrackbarLabel(f, block);
  if (t.isFloat)
    showFloatLabel(dialog, f.control.second, t.value);
  else
    showIntLabel(dialog, f.control.second, t.position);
}

int32_t RadioFor(const ControlBinding& c, int64_t value) {
  for (int32_t i = 0; i < c.choiceCount; ++i) {
    if (c.choices[i].value == value) return c.choices[i].id;
  }
  return c.fallbackId;
}

void CheckRadio(HWND dialog, const ControlBinding& c, int32_t checkedId) {
  if (c.second != 0) {
    CheckRadioButton(dialog, c.id, c.second, checkedId);
    return;
  }
  for (int32_t i = 0; i < c.choiceCount; ++i) {
    const int32_t id = c.choices[i].id;
    CheckDlgButton(dialog, id, id == checkedId ? BST_CHECKED : BST_UNCHECKED);
  }
}

const RadioChoice* RadioChoiceOf(const ControlBinding& c, int32_t id) {
  for (int32_t i = 0; i < c.choiceCount; ++i) {
    if (c.choices[i].id == id) return &c.choices[i];
  }
  return nullptr;
}

// Empties a drop-down list and fills it with `count` strings, in order.
void FillStrings(HWND combo, const int32_t* ids, int32_t firstString, int32_t count) {
  HINSTANCE instance = static_cast<HINSTANCE>(ModuleInstance());
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int32_t j = 0; j < count; ++j) {
    char text[kListTextBytes];
    text[0] = '\0';
    LoadStringA(instance, static_cast<UINT>(ids != nullptr ? ids[j] : firstString + j), text,
                sizeof text);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
}

// The preset list keeps its selection; without one it selects the default preset's name.
void ShowPresets(HWND dialog, const DialogDeclaration& d) {
  const DialogLayout& l = *d.layout;
  if (l.presetListId == 0) return;
  HWND combo = GetDlgItem(dialog, l.presetListId);
  const LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  FillStrings(combo, l.presetStrings, l.firstPresetString, d.schema->presetCount);
  if (selection != CB_ERR) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    return;
  }
  char text[kListTextBytes];
  text[0] = '\0';
  LoadStringA(static_cast<HINSTANCE>(ModuleInstance()), static_cast<UINT>(l.presetDefaultString),
              text, sizeof text);
  // wParam -1: search the whole list from its first entry.
  SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

void ShowControl(HWND dialog, const SettingField& f, void* block) {
  const ControlBinding& c = f.control;
  switch (c.kind) {
    case ControlKind::Trackbar:
      initTrackbar(GetDlgItem(dialog, c.id), c.range, ShownPosition(f, block), c.page, c.tics);
      ShowLabel(dialog, f, block);
      return;
    case ControlKind::Radios:
      CheckRadio(dialog, c, RadioFor(c, ReadIntegerSetting(f, block)));
      return;
    case ControlKind::CheckBox:
      CheckDlgButton(dialog, c.id, ReadIntegerSetting(f, block) != 0 ? BST_CHECKED : BST_UNCHECKED);
      return;
    case ControlKind::PathChooser:
      SetDlgItemTextA(dialog, c.id, TerminatedPath(block, f));
      return;
    case ControlKind::List:
      FillStrings(GetDlgItem(dialog, c.id), nullptr, c.firstString, c.stringCount);
      // A value outside the list selects nothing.
      SendDlgItemMessageA(dialog, c.id, CB_SETCURSEL,
                          static_cast<WPARAM>(ReadIntegerSetting(f, block)), 0);
      return;
    case ControlKind::ColourButton:
    case ControlKind::None:
      return;
  }
}

void PaintSwatches(HWND dialog, const DialogDeclaration& d, void* block) {
  HDC dc = GetWindowDC(dialog);
  RECT window;
  GetWindowRect(dialog, &window);
  for (int32_t i = 0; i < d.schema->fieldCount; ++i) {
    const SettingField& f = d.schema->fields[i];
    if (f.control.kind != ControlKind::ColourButton) continue;
    const SwatchRect& s = f.control.swatch;
    RECT r = {s.left, s.top, s.right, s.bottom};
    if (f.control.second != 0) {
      GetWindowRect(GetDlgItem(dialog, f.control.second), &r);
      OffsetRect(&r, -window.left, -window.top);
    }
    paintSwatch(dc, r.left, r.top, r.right, r.bottom, *ColourField(block, f));
  }
  ReleaseDC(dialog, dc);
  if (d.rules.paint != nullptr) d.rules.paint(dialog, block);
}

void ShowAll(HWND dialog, const DialogDeclaration& d, void* block) {
  for (int32_t i = 0; i < d.schema->fieldCount; ++i)
    ShowControl(dialog, d.schema->fields[i], block);
  ShowPresets(dialog, d);
  if (d.rules.showRecord != nullptr) d.rules.showRecord(dialog, block);
  if (d.rules.show != nullptr) d.rules.show(dialog, block);
}

// Shown again after the record changed as a whole; the swatches are painted last, over
// whatever the update painted.
void Reshow(HWND dialog, const DialogDeclaration& d, void* block) {
  ShowAll(dialog, d, block);
  UpdateWindow(dialog);
  PaintSwatches(dialog, d, block);
}

void Changed(HWND dialog, const DialogDeclaration& d, void* block, const SettingField& f) {
  if (f.control.refreshesDialog) {
    Reshow(dialog, d, block);
  } else if (d.rules.show != nullptr) {
    d.rules.show(dialog, block);
  }
}

// The file chooser writes the chosen path straight into the record's buffer.
void ChooseFile(HWND dialog, const SettingField& f, void* block) {
  // "Name|*.ext" becomes "Name\0*.ext\0\0"; the pattern is also the default extension.
  char filter[96] = {};
  std::strncpy(filter, f.control.filter, sizeof filter - 2);
  char* bar = std::strchr(filter, '|');
  const char* pattern = "";
  if (bar != nullptr) {
    *bar = '\0';
    pattern = f.control.filter + (bar - filter) + 1;
  }
  const int32_t bytes = f.control.chooserBytes != 0 && f.control.chooserBytes < int32_t(f.size)
                            ? f.control.chooserBytes
                            : static_cast<int32_t>(f.size);
  OPENFILENAMEA ofn;
  std::memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = 76;  // the original record, without the later reserved fields
  ofn.hwndOwner = dialog;
  ofn.hInstance = static_cast<HINSTANCE>(ModuleInstance());
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = TerminatedPath(block, f);
  ofn.nMaxFile = static_cast<DWORD>(bytes);
  ofn.lpstrDefExt = pattern;
  // OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING, and OFN_NOCHANGEDIR: the
  // chooser must not move the host's current directory, which the host resolves its own
  // relative paths against.
  ofn.Flags = 0x801800 | OFN_NOCHANGEDIR;
  GetOpenFileNameA(&ofn);
  SetDlgItemTextA(dialog, f.control.id, TerminatedPath(block, f));
  UpdateWindow(dialog);
}

INT_PTR OnScroll(HWND dialog, const DialogDeclaration& d, void* block, HWND control) {
  for (int32_t i = 0; i < d.schema->fieldCount; ++i) {
    const SettingField& f = d.schema->fields[i];
    if (f.control.kind != ControlKind::Trackbar || control != GetDlgItem(dialog, f.control.id))
      continue;
    const int32_t position = readTrackbar(control);
    if (f.control.keepsUnmovedValue && position == ShownPosition(f, block)) return 1;
    StorePosition(f, position, block);
    if (d.rules.changed != nullptr) d.rules.changed(dialog, block, f);
    ShowLabel(dialog, f, block);
    Changed(dialog, d, block, f);
    UpdateWindow(dialog);
    return 1;
  }
  return 0;
}

INT_PTR OnCommand(HWND dialog, const DialogDeclaration& d, void* block, int32_t id, int32_t code) {
  const DialogLayout& l = *d.layout;
  if (l.defaultsButtonId != 0 && id == l.defaultsButtonId) {
    if (l.defaultsAppliesFirstPreset)
      d.schema->applyPreset(block, 0);
    else
      d.schema->writeDefaults(block);
    Reshow(dialog, d, block);
    return 0;
  }
  if (l.presetListId != 0 && id == l.presetListId) {
    if (code == CBN_SELCHANGE) {
      const LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
      d.schema->applyPreset(block, static_cast<int32_t>(index));
      Reshow(dialog, d, block);
    }
    return 0;
  }
  for (int32_t i = 0; i < d.schema->fieldCount; ++i) {
    const SettingField& f = d.schema->fields[i];
    const ControlBinding& c = f.control;
    if (c.kind == ControlKind::ColourButton && id == c.id)
      return pickColour(dialog, ColourField(block, f));
    if (c.kind == ControlKind::PathChooser && id == c.second) {
      ChooseFile(dialog, f, block);
      return 0;
    }
    if (c.kind == ControlKind::List && id == c.id) {
      if (code != CBN_SELCHANGE) return 0;
      StorePosition(f, static_cast<int32_t>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)),
                    block);
      Changed(dialog, d, block, f);
      return 0;
    }
    if (code != BN_CLICKED) continue;  // buttons act on the click alone
    if (c.kind == ControlKind::CheckBox && id == c.id) {
      StoreIntegerSetting(f, IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0, block);
      Changed(dialog, d, block, f);
      return 0;
    }
    const RadioChoice* choice = c.kind == ControlKind::Radios ? RadioChoiceOf(c, id) : nullptr;
    if (choice != nullptr) {
      CheckRadio(dialog, c, id);
      StoreIntegerSetting(f, choice->value, block);
      Changed(dialog, d, block, f);
      return 0;
    }
  }
  return 0;
}

bool ClosesDialog(const DialogDeclaration& d, int32_t id) {
  return id == IDOK || (id == IDCANCEL && d.layout->closesOnEscape);
}

INT_PTR CALLBACK BoundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  const DialogDeclaration& d = g_declaration;
  // Made on the first message the dialog ever gets; process exit detaches it.
  DialogTooltips* tips =
      d.rules.tooltips != nullptr ? &ModuleDialogTooltips(*d.rules.tooltips) : nullptr;
  void* block = EditedBlock();
  if (block == nullptr) return 0;
  INT_PTR result = 0;
  if (d.rules.onMessage != nullptr &&
      d.rules.onMessage(dialog, block, message, wParam, lParam, &result))
    return result;
  switch (message) {
    case WM_INITDIALOG:
      ShowAll(dialog, d, block);
      if (tips != nullptr) tips->attachDialog(dialog, static_cast<HINSTANCE>(ModuleInstance()));
      PaintSwatches(dialog, d, block);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:  // vertical trackbars
      return OnScroll(dialog, d, block, reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
      if (ClosesDialog(d, LOWORD(wParam))) {
        if (tips != nullptr) tips->detach();  // the tooltip window goes with the dialog
        EndDialog(dialog, LOWORD(wParam));
        return 1;
      }
      return OnCommand(dialog, d, block, LOWORD(wParam), HIWORD(wParam));
    case WM_PAINT: {
      // The dialog and its controls first, so that no control paints over the swatches.
      PAINTSTRUCT paint;
      BeginPaint(dialog, &paint);
      EndPaint(dialog, &paint);
      RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      PaintSwatches(dialog, d, block);
      return 1;
    }
    case WM_SYSCOLORCHANGE:
    case WM_LBUTTONUP:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

void showBoundField(HWND dialog, const SettingField& field) {
  if (EditedBlock() != nullptr) ShowControl(dialog, field, EditedBlock());
}

int32_t openBoundDialog(const ConfigureRequest& request, const SettingsSchema& schema,
                        const DialogRules& rules) {
  g_declaration = {&schema, schema.dialog, rules};
  return openSettingsDialog(request, schema.dialog->templateId, BoundDialogProc);
}

}  // namespace zk
