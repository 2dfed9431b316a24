// Resource numbers of the bloom dialog, shared by the resource script, the dialog procedure
// and the tests (plain #defines so the resource compiler reads them too).
#pragma once

#define BLOOM_DIALOG 101
#define BLOOM_DEFAULTS_BUTTON 1000
#define BLOOM_PRESET_LIST 1001
#define BLOOM_DURATION 1002
#define BLOOM_DURATION_LABEL 1003

#define BLOOM_MODE_CROSSFADE 1004
#define BLOOM_MODE_WHITE 1005
#define BLOOM_MODE_BLACK 1006
#define BLOOM_MODE_NOISE_GREY 1027
#define BLOOM_MODE_NOISE_COLOUR 1028

// Direction buttons, by button (their directions are in the dialog's table).
#define BLOOM_DIR_RIGHTLEFT 1007
#define BLOOM_DIR_LEFTRIGHT 1008
#define BLOOM_DIR_TOPBOTTOM 1009
#define BLOOM_DIR_BOTTOMTOP 1010
#define BLOOM_DIR_CIRCLEOUT 1011
#define BLOOM_DIR_CIRCLEIN 1012
#define BLOOM_DIR_VERTOUT 1013
#define BLOOM_DIR_VERTIN 1014
#define BLOOM_DIR_HORZOUT 1015
#define BLOOM_DIR_HORZIN 1016
#define BLOOM_DIR_ROTRIGHT 1017
#define BLOOM_DIR_ROTLEFT 1018
#define BLOOM_DIR_BOTTOMLEFT 1019
#define BLOOM_DIR_TOPRIGHT 1020
#define BLOOM_DIR_TOPLEFT 1021
#define BLOOM_DIR_BOTTOMRIGHT 1022
#define BLOOM_DIR_LEFTOUT 1023
#define BLOOM_DIR_RIGHTIN 1024
#define BLOOM_DIR_RIGHTOUT 1025
#define BLOOM_DIR_LEFTIN 1026
#define BLOOM_FIRST_DIRECTION_BUTTON 1007
#define BLOOM_LAST_DIRECTION_BUTTON 1026

#define BLOOM_NOTICE 1029

// Icons: 102-121 on the direction buttons, 122 the dialog's small icon.
#define BLOOM_DIALOG_ICON 122

// Strings 104-115: the preset names.
#define BLOOM_FIRST_PRESET_STRING 104
