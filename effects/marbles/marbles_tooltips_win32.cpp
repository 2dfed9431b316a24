// What every control of the marbles dialog explains, in the order the tools are added.
#include "marbles_dialog.h"
#include "marbles_ids.h"

namespace zk {
namespace {

#define MARBLES_ORDER_TIP "Define the marbles order for motion.\n"
#define MARBLES_ROTATION_TIP(axis)               \
  "Define the marbles rotation around the " axis \
  "-axis, relative to the screens center at "    \
  "the current level (z-coordinate)."
#define MARBLES_LIGHT_ROTATION_TIP(axis)              \
  "Define the light source rotation around the " axis \
  "-axis, relative to the center of the "             \
  "screen."

const char kDirectionTip[] =
    "Define the general direction of motion.\n"
    "The marbles can either move from surface to viewer or from viewer to surface.";
const char kRotateXTip[] = MARBLES_ROTATION_TIP("x");
const char kRotateYTip[] = MARBLES_ROTATION_TIP("y");
const char kRotateZTip[] = MARBLES_ROTATION_TIP("z");
const char kXFadeTip[] =
    "Time (percentage, relative to overall effect time) from the beginning of effect until "
    "crossfade from the normal image to the initial marble setup has finished.";
const char kStaticTip[] =
    "Time (percentage, relative to overall effect time) from the beginning of effect until "
    "marbles start to move.";
const char kMoveTip[] =
    "Time (percentage, relative to the remaining time for motion) that an individual marble has "
    "available to complete its motion.\n"
    "Higher values result in a more simultaneos timing of all marbles, while lower values result "
    "in a greater time distance for the beginning and end of motion.";
const char kSizeTip[] = "Size of a marble as percentage, relative to the images width.";
const char kTranspStartTip[] =
    "Transparency of a marble when it is at the level (z-coordinate) of the screen.\n"
    "This should be 0 (non transparent).";
const char kTranspEndTip[] =
    "Transparency of a marble when it is at the level (z-coordinate) of the viewer.\n"
    "The percentage of transparency should be in a way that the marble is still recognizable, but "
    "allows to see what is behind.";
const char kColorHueTip[] =
    "Intensity of color.\n"
    "A value of 0 will set the marbles color to greyscale, while 1 will keep the original color. "
    "Set a value greater 1 to intensify color.";
const char kImpactTip[] = "Impact of light source shading.";
const char kGlossTip[] = "Gloss of marble surface.";
const char kLightRotXTip[] = MARBLES_LIGHT_ROTATION_TIP("x");
const char kLightRotYTip[] = MARBLES_LIGHT_ROTATION_TIP("y");
const char kLightRotZTip[] = MARBLES_LIGHT_ROTATION_TIP("z");

const TooltipEntry kEntries[] = {
    {MARBLES_SURFACE_TO_VIEWER, kDirectionTip},
    {MARBLES_VIEWER_TO_SURFACE, kDirectionTip},
    {MARBLES_ORDER_BOARD, MARBLES_ORDER_TIP "All marbles start their motion simultaniously."},
    {MARBLES_ORDER_RANDOM, MARBLES_ORDER_TIP "All marbles start their motion randomly."},
    {MARBLES_ORDER_TUB, MARBLES_ORDER_TIP
     "The marbles farest from the center start their motion first, the one closest to the "
     "center last."},
    {MARBLES_ORDER_BUMP, MARBLES_ORDER_TIP
     "The marbles closest to the center start their motion first, the one farest from the "
     "center last."},
    {MARBLES_ROTATE_X_LABEL, kRotateXTip},
    {MARBLES_ROTATE_X, kRotateXTip},
    {MARBLES_ROTATE_Y_LABEL, kRotateYTip},
    {MARBLES_ROTATE_Y, kRotateYTip},
    {MARBLES_ROTATE_Z_LABEL, kRotateZTip},
    {MARBLES_ROTATE_Z, kRotateZTip},
    {MARBLES_XFADE_LABEL, kXFadeTip},
    {MARBLES_XFADE, kXFadeTip},
    {MARBLES_STATIC_LABEL, kStaticTip},
    {MARBLES_STATIC, kStaticTip},
    {MARBLES_MOVE_LABEL, kMoveTip},
    {MARBLES_MOVE, kMoveTip},
    {MARBLES_SIZE_LABEL, kSizeTip},
    {MARBLES_SIZE, kSizeTip},
    {MARBLES_TRANSP_START_LABEL, kTranspStartTip},
    {MARBLES_TRANSP_START, kTranspStartTip},
    {MARBLES_TRANSP_END_LABEL, kTranspEndTip},
    {MARBLES_TRANSP_END, kTranspEndTip},
    {MARBLES_COLOR_HUE_LABEL, kColorHueTip},
    {MARBLES_COLOR_HUE, kColorHueTip},
    {MARBLES_SHADE_IMPACT_LABEL, kImpactTip},
    {MARBLES_SHADE_IMPACT, kImpactTip},
    {MARBLES_SHADE_GLOSS_LABEL, kGlossTip},
    {MARBLES_SHADE_GLOSS, kGlossTip},
    {MARBLES_LIGHT_FIXED, "The light source remains on a fixed position."},
    {MARBLES_LIGHT_LINEAR, "The light source moves straight from position 1 to position 2."},
    {MARBLES_LIGHT_ROTATING,
     "The light source rotates around the center of the screen, starting at position 1."},
    {MARBLES_POS1_X, "Initial position of the light source, x-coordinate."},
    {MARBLES_POS1_Y, "Initial position of the light source, y-coordinate."},
    {MARBLES_POS1_Z, "Initial position of the light source, z-coordinate."},
    {MARBLES_POS2_X, "Final position of the light source, x-coordinate."},
    {MARBLES_POS2_Y, "Final position of the light source, y-coordinate."},
    {MARBLES_POS2_Z, "Final position of the light source, z-coordinate."},
    {MARBLES_LIGHT_ROT_X_LABEL, kLightRotXTip},
    {MARBLES_LIGHT_ROT_X, kLightRotXTip},
    {MARBLES_LIGHT_ROT_Y_LABEL, kLightRotYTip},
    {MARBLES_LIGHT_ROT_Y, kLightRotYTip},
    {MARBLES_LIGHT_ROT_Z_LABEL, kLightRotZTip},
    {MARBLES_LIGHT_ROT_Z, kLightRotZTip},
};

}  // namespace

const TooltipSet kMarblesTooltips = {
    MARBLES_DIALOG_ICON,
    kEntries,
    static_cast<int32_t>(sizeof kEntries / sizeof kEntries[0]),
};

}  // namespace zk
