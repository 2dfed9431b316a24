// Every module's render call on fuzzed requests: frame and rectangle sizes, progress values
// (NaN, negative, above 1), field mode, host choice words, settings records of any bytes,
// and short sequences of calls for the effects that carry state between frames.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "effect_host.h"

namespace {

struct Loaded {
  std::vector<zk::HostedEffect> effects;
  Loaded() {
    for (const std::string& name : zk::ListModuleNames(ZELKOR_FUZZ_MODULE_DIR)) {
      zk::HostedEffect e;
      std::string error;
      if (zk::OpenEffect(zk::ModulePath(ZELKOR_FUZZ_MODULE_DIR, name), &e, &error))
        effects.push_back(std::move(e));
    }
  }
};

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint32_t Word() {
    uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w |= static_cast<uint32_t>(Byte()) << (8 * i);
    return w;
  }
  size_t Left() const { return size_ - pos_; }
  const uint8_t* Here() const { return data_ + pos_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Loaded loaded;
  if (loaded.effects.empty() || size < 8) return 0;
  Reader in(data, size);
  zk::HostedEffect& effect = loaded.effects[in.Byte() % loaded.effects.size()];
  const int32_t width = 1 + in.Byte();
  const int32_t height = 1 + in.Byte() % 160;
  zk::RenderChoices choices;
  choices.wholeFrame = false;
  choices.rectLeft = in.Byte() % width;
  choices.rectTop = in.Byte() % height;
  choices.rectWidth = in.Byte() % (width - choices.rectLeft + 1);
  choices.rectHeight = in.Byte() % (height - choices.rectTop + 1);
  choices.fieldMode = static_cast<int32_t>(in.Byte()) - 1;
  choices.variantFlags = in.Word();
  choices.extraFlags = in.Word();
  choices.extraColor = in.Word();
  const int frames = 1 + in.Byte() % 4;
  std::vector<float> progress;
  for (int k = 0; k < frames; ++k) {
    const uint32_t bits = in.Word();
    float p;
    std::memcpy(&p, &bits, 4);
    progress.push_back(p);
  }
  // The settings record: the module's defaults overlaid with the rest of the input.
  std::vector<uint8_t> saved = effect.params;
  if (!effect.params.empty()) {
    const size_t n = in.Left() < effect.params.size() ? in.Left() : effect.params.size();
    std::memcpy(effect.params.data(), in.Here(), n);
  }
  zk::FrameImage a = zk::MakeFrameImage(width, height);
  zk::FrameImage b = zk::MakeFrameImage(width, height);
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    a.pixels[i] = static_cast<uint8_t>(i * 7 + data[i % size]);
    b.pixels[i] = static_cast<uint8_t>(255 - i * 13);
  }
  for (float p : progress) {
    zk::FrameImage out = zk::MakeFrameImage(width, height, 0xA5);
    zk::RenderEffectFrame(effect, a, b, p, choices, &out);
  }
  effect.params = saved;
  return 0;
}
