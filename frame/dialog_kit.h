// The kit every settings dialog is built from (Windows builds only): opening the modal
// dialog on the host's settings record, trackbars and their value labels, colour buttons
// with painted swatches, and the preset list.
#pragma once

#if defined(_WIN32)

#include <windows.h>

#include <cstdint>

#include "host_records.h"

namespace zk {

// The settings record being edited: set from ConfigureRequest::paramBlock right before the
// dialog opens; every control reads and writes the host's record through it.
void* EditedBlock();

// The configure request of the open dialog; like the edited record it stays set until the
// next configure call.
const ConfigureRequest* ConfiguringRequest();

// Stores the record pointer and runs the module's dialog template modally over the host's
// window. The dialog's result is not used: the configure call answers 1.
int32_t openSettingsDialog(const ConfigureRequest& request, int32_t templateId, DLGPROC procedure);

// TBM_SETRANGE (range word: minimum low 16 bits, maximum high 16 bits), TBM_SETPOS,
// TBM_SETTICFREQ and TBM_SETPAGESIZE, in that order.
void initTrackbar(HWND trackbar, uint32_t rangeWord, int32_t position, int32_t pageSize,
                  int32_t ticFrequency);
int32_t readTrackbar(HWND trackbar);

// Value labels: "%.2f" of a float, or a signed integer.
void showFloatLabel(HWND dialog, int32_t labelId, float value);
void showIntLabel(HWND dialog, int32_t labelId, int32_t value);

// A rectangle outlined and filled with the colour word.
void paintSwatch(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour);

// The colour chooser on one colour field of the record; repaints when the user confirms.
// Returns 1 whether or not the user confirmed.
INT_PTR pickColour(HWND dialog, uint32_t* colourField);

}  // namespace zk

#endif  // _WIN32
