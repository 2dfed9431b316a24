// The split-flap board's settings dialog: ten trackbars, each storing its position in the
// host's record at once; OK, Escape and the close box only end the dialog.
#include "airport_dialog.h"
#include "airport_params.h"
#include "dialog_binder.h"

namespace zk {

int32_t RunAirportDialog(const ConfigureRequest& request) {
  return openBoundDialog(request, kAirportSchema);
}

}  // namespace zk
