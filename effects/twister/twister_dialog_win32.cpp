// Twister's settings dialog: every control edits the host's record at once; OK, Escape and
// the close box only end the dialog.
#include "dialog_binder.h"
#include "twister_params.h"

namespace zk {

extern const DialogRules kDialogRules = {};

}  // namespace zk
