// Resource numbers of the rays settings dialog, shared by the resource script, the dialog
// procedure and the tests (plain #defines so the resource compiler reads them too).
#pragma once

#define RAYS_DIALOG 100
#define RAYS_SWITCH 101         // horizontal trackbar: switchPoint
#define RAYS_RISE_LEVEL 102     // vertical trackbar, top = 1: riseLevel
#define RAYS_FALL_LEVEL 103     // vertical trackbar, top = 1: fallLevel
#define RAYS_RISE_EXPONENT 104  // horizontal trackbar: (riseExponent - 1) / 2
#define RAYS_FALL_EXPONENT 105  // horizontal trackbar: (fallExponent - 1) / 2
#define RAYS_COLOUR_BUTTON 106
#define RAYS_SWITCH_VALUE 107
#define RAYS_RISE_LEVEL_VALUE 108
#define RAYS_FALL_LEVEL_VALUE 109
#define RAYS_RISE_EXPONENT_VALUE 110
#define RAYS_FALL_EXPONENT_VALUE 111
#define RAYS_DENSITY_SPIN 112
#define RAYS_DENSITY_VALUE 113
