// The split-flap board's settings dialog: ten trackbars, each storing its position in the
// host's record at once; OK, Escape and the close box only end the dialog.
#include "airport_params.h"
#include "dialog_binder.h"

namespace zk {

extern const DialogRules kDialogRules = {};

}  // namespace zk
