// The settings dialog built from a module's settings table: every field with a control in
// its row is shown, edited and stored here. A module declares its template, its close and
// defaults buttons and its preset list, and keeps only the rules between fields (enabling,
// values read when OK is pressed, controls it draws itself) as a few hooks.
#pragma once

#if defined(_WIN32)

#include <windows.h>

#include <cstdint>

#include "dialog_tooltips.h"
#include "host_records.h"
#include "settings_schema.h"

namespace zk {

struct DialogRules {
  // Sees every message first; returns true when it handled it, with the result in *result.
  bool (*onMessage)(HWND dialog, void* block, UINT message, WPARAM wParam, LPARAM lParam,
                    INT_PTR* result) = nullptr;
  // After the controls show the record and after every change made through a control:
  // enabling, and controls the module shows itself.
  void (*show)(HWND dialog, void* block) = nullptr;
  // A field changed through its control, before its label is shown again.
  void (*changed)(HWND dialog, void* block, const SettingField& field) = nullptr;
  // Painting beyond the colour swatches.
  void (*paint)(HWND dialog, const void* block) = nullptr;
  // With every control when the whole record is shown (opening, presets, defaults, refreshing
  // controls), not after a single change: values the module shows itself and reads later.
  void (*showRecord)(HWND dialog, void* block) = nullptr;
  // Balloon tips on the controls and the version in the title, from opening to closing.
  const TooltipSet* tooltips = nullptr;
};

// Every module with a settings dialog defines its rules (empty where it has none); the entry
// glue opens the dialog on the manifest's settings table with them.
extern const DialogRules kDialogRules;

// Runs the module's dialog modally on the host's record; answers 1 like every configure call.
// The layout comes from the schema; the rules may be empty.
int32_t openBoundDialog(const ConfigureRequest& request, const SettingsSchema& schema,
                        const DialogRules& rules = {});

// Shows one field's control from the record again (a module rule that set the field).
void showBoundField(HWND dialog, const SettingField& field);

}  // namespace zk

#endif  // _WIN32
