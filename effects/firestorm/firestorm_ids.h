// Resource numbers of the fire's settings dialog, shared by the resource script, the
// dialog procedure and the tests (plain #defines so the resource compiler reads them too).
#pragma once

#define FIRESTORM_DIALOG 101
#define FIRESTORM_DEFAULTS_BUTTON 1000
// Each setting has a read-only value edit (odd number) and its trackbar (the next one).
#define FIRESTORM_RAMP_END_VALUE 1001
#define FIRESTORM_RAMP_END 1002
#define FIRESTORM_CROSSFADE_START_VALUE 1003
#define FIRESTORM_CROSSFADE_START 1004
#define FIRESTORM_CROSSFADE_END_VALUE 1005
#define FIRESTORM_CROSSFADE_END 1006
#define FIRESTORM_HOT_SPOT_END_VALUE 1007
#define FIRESTORM_HOT_SPOT_END 1008
#define FIRESTORM_FADE_START_VALUE 1009
#define FIRESTORM_FADE_START 1010
#define FIRESTORM_EDGE_VALUE 1011
#define FIRESTORM_EDGE 1012
#define FIRESTORM_VISIBLE_HOT_SPOTS 1013
#define FIRESTORM_ALL_EDGES 1014
#define FIRESTORM_SHARE_VALUE 1015
#define FIRESTORM_SHARE 1016
#define FIRESTORM_VARIATION_VALUE 1017
#define FIRESTORM_VARIATION 1018
#define FIRESTORM_SPEED_VALUE 1019
#define FIRESTORM_SPEED 1020
#define FIRESTORM_SHARE_LABEL 1021
