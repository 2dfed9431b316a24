// Resource numbers of the "Options for Logo" dialog, shared by the resource script, the
// dialog procedure and the tests (plain #defines so the resource compiler reads them too).
#pragma once

#define LOGO_DIALOG 101
#define LOGO_RESET_DEFAULTS 102
#define LOGO_DEFAULT_MASK_BITMAP 104

#define LOGO_IMPACT_LABEL 1001
#define LOGO_IMPACT 1002
#define LOGO_PRESETS 1030
#define LOGO_BITMAP_SELECT 1039
#define LOGO_BITMAP_PATH 1040
#define LOGO_COLOUR_SELECT 1041
#define LOGO_BACKGROUND_COLOUR 1042
#define LOGO_BACKGROUND_SCENE_A 1043
#define LOGO_BACKGROUND_SCENE_B 1044
#define LOGO_BACKGROUND_BITMAP 1045
#define LOGO_MASK_INTERNAL 1046
#define LOGO_MASK_FILE 1047
#define LOGO_MASK_SELECT 1048
#define LOGO_MASK_PATH 1049
#define LOGO_SWATCH 1050

// Scene A - Foreground
#define LOGO_AFG_MOTION 1051
#define LOGO_AFG_ROTATION 1052
#define LOGO_AFG_USE 1053
#define LOGO_AFG_DISSOLVE 1054
#define LOGO_AFG_ALTERNATE 1055
#define LOGO_AFG_START_LABEL 1056
#define LOGO_AFG_END_LABEL 1057
#define LOGO_AFG_START 1058
#define LOGO_AFG_END 1059
// Scene A - Background
#define LOGO_ABG_MOTION 1065
#define LOGO_ABG_ROTATION 1067
#define LOGO_ABG_USE 1068
#define LOGO_ABG_DISSOLVE 1069
#define LOGO_ABG_ALTERNATE 1070
#define LOGO_ABG_START_LABEL 1073
#define LOGO_ABG_END_LABEL 1074
#define LOGO_ABG_START 1075
#define LOGO_ABG_END 1076
// Scene B - Foreground
#define LOGO_BFG_MOTION 1078
#define LOGO_BFG_ROTATION 1080
#define LOGO_BFG_USE 1081
#define LOGO_BFG_DISSOLVE 1082
#define LOGO_BFG_ALTERNATE 1083
#define LOGO_BFG_START_LABEL 1086
#define LOGO_BFG_END_LABEL 1087
#define LOGO_BFG_START 1088
#define LOGO_BFG_END 1089
// Scene B - Background
#define LOGO_BBG_MOTION 1091
#define LOGO_BBG_ROTATION 1093
#define LOGO_BBG_USE 1094
#define LOGO_BBG_DISSOLVE 1095
#define LOGO_BBG_ALTERNATE 1096
#define LOGO_BBG_START_LABEL 1099
#define LOGO_BBG_END_LABEL 1100
#define LOGO_BBG_START 1101
#define LOGO_BBG_END 1102

// The captions "Motion", "Rotation", "Start" and "End" of layer k (0..3), greyed out with
// the rest of their group: LOGO_CAPTION_FIRST + 4k + 0..3.
#define LOGO_CAPTION_FIRST 1110

// The strings of the lists.
#define LOGO_FIRST_PRESET_STRING 104
#define LOGO_FIRST_MOTION_STRING 113
#define LOGO_FIRST_ROTATION_STRING 130
