// What every control of the bloom dialog explains, in the order the tools are added.
#include "bloom_dialog.h"
#include "bloom_ids.h"

namespace zk {
namespace {

#define BLOOM_MODE_TIP "Define the mode for rendering.\n"
#define BLOOM_MOTION_TIP "Define the direction of motion.\n"

const char kDurationTip[] =
    "Define the duration for transformation of a particular pixel in percent of overall "
    "effect-time.\n"
    "Higher values result in a widther border while smaller values result in a sharper, more "
    "tight border.\n"
    "Set this value to 0.01 to have a simple wipe-transition. Set it to 1.00 and use render mode "
    "'crossfade' for a simple crossfade transition. Set this value to 1.00 and set render mode "
    "to 'bloom white' for a simple white-flash.";

const TooltipEntry kEntries[] = {
    {BLOOM_MODE_CROSSFADE, BLOOM_MODE_TIP "Use 'crossfade' as rendering mode."},
    {BLOOM_MODE_WHITE, BLOOM_MODE_TIP "Use 'bloom white' as rendering mode."},
    {BLOOM_MODE_BLACK, BLOOM_MODE_TIP "Use 'bloom black' as rendering mode."},
    {BLOOM_MODE_NOISE_GREY, BLOOM_MODE_TIP "Use 'noise black and white' as rendering mode."},
    {BLOOM_MODE_NOISE_COLOUR, BLOOM_MODE_TIP "Use 'noise color' as rendering mode."},
    {BLOOM_DIR_RIGHTLEFT, BLOOM_MOTION_TIP "Move a vertical border from right to left."},
    {BLOOM_DIR_LEFTRIGHT, BLOOM_MOTION_TIP "Move a vertical border from left to right."},
    {BLOOM_DIR_TOPBOTTOM, BLOOM_MOTION_TIP "Move a horizontal border from top to bottom."},
    {BLOOM_DIR_BOTTOMTOP, BLOOM_MOTION_TIP "Move a horizontal border from bottom to top."},
    {BLOOM_DIR_CIRCLEOUT, BLOOM_MOTION_TIP "Move a circular border from center to outside."},
    {BLOOM_DIR_CIRCLEIN, BLOOM_MOTION_TIP "Move a circular border from outside to center."},
    {BLOOM_DIR_VERTOUT,
     BLOOM_MOTION_TIP "Move two horizontal borders from center to top and bottom."},
    {BLOOM_DIR_VERTIN,
     BLOOM_MOTION_TIP "Move two horizontal borders from top and bottom to center."},
    {BLOOM_DIR_HORZOUT,
     BLOOM_MOTION_TIP "Move two vertical borders from center to left and right."},
    {BLOOM_DIR_HORZIN, BLOOM_MOTION_TIP "Move two vertical borders from left and right to center."},
    {BLOOM_DIR_ROTRIGHT, BLOOM_MOTION_TIP "Rotate the border clockwise."},
    {BLOOM_DIR_ROTLEFT, BLOOM_MOTION_TIP "Rotate the border conter-clockwise."},
    {BLOOM_DIR_BOTTOMLEFT,
     BLOOM_MOTION_TIP "Move a diagonal border from bottom left to top right."},
    {BLOOM_DIR_TOPLEFT, BLOOM_MOTION_TIP "Move a diagonal border from top left to bottom right."},
    {BLOOM_DIR_TOPRIGHT, BLOOM_MOTION_TIP "Move a diagonal border from top right to bottom left."},
    {BLOOM_DIR_BOTTOMRIGHT,
     BLOOM_MOTION_TIP "Move a diagonal border from bottom right to top left."},
    {BLOOM_DIR_LEFTOUT,
     BLOOM_MOTION_TIP "Move two diagonal borders from center to bottom left and top right."},
    {BLOOM_DIR_RIGHTOUT,
     BLOOM_MOTION_TIP "Move two diagonal borders from center to bottom right and top left."},
    {BLOOM_DIR_LEFTIN,
     BLOOM_MOTION_TIP "Move two diagonal borders from top left and bottom right to center."},
    {BLOOM_DIR_RIGHTIN,
     BLOOM_MOTION_TIP "Move two diagonal borders from top right and bottom left to center."},
    {BLOOM_DURATION_LABEL, kDurationTip},
    {BLOOM_DURATION, kDurationTip},
};

}  // namespace

const TooltipSet kBloomTooltips = {
    BLOOM_DIALOG_ICON,
    kEntries,
    static_cast<int32_t>(sizeof kEntries / sizeof kEntries[0]),
};

}  // namespace zk
