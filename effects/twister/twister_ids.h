// Resource numbers of Twister's dialog, shared by the resource script, the dialog
// procedure and the tests (plain #defines so the resource compiler reads them too).
#pragma once

#define TWISTER_DIALOG 100
#define TWISTER_BACKGROUND_BUTTON 101
#define TWISTER_BEND_180 102
#define TWISTER_BEND_540 103
#define TWISTER_SHADE_BACKGROUND 104
#define TWISTER_SHADE_SPECIAL 105
#define TWISTER_SHADE_NONE 106
#define TWISTER_TURN_TIME 107
#define TWISTER_SPECIAL_BUTTON 108
#define TWISTER_TURN_TIME_LABEL 109
#define TWISTER_DEFAULTS_BUTTON 110
