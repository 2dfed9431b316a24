// Builds without FFmpeg's libraries (the Windows build) read and write BMP and PNG only.
#include "cli_options.h"
#include "image_files.h"
#include "render_args.h"

namespace zk {

bool LoadPicture(const std::string& path, int32_t, int32_t, FrameImage*, std::string* error) {
  *error = path + ": this build of zelkor reads BMP pictures only";
  return false;
}

bool WritePicture(const std::string& path, const FrameImage& frame, std::string* error) {
  return WriteImageFile(path, frame, error);
}

int RunJoin(const RenderArgs& r, HostedEffect&) {
  return Fail(r.out + ": this build of zelkor cannot write clips (it has no FFmpeg)");
}

}  // namespace zk
