// The frei0r mixer2 interface over one module's render code. Every plug-in is this file
// plus a generated target; nothing here knows a particular effect.
extern "C" {
#include <frei0r.h>
}

#include <iconv.h>

#include <cmath>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "float_environment.h"
#include "frame_convert.h"
#include "frame_view.h"
#include "frei0r_params.h"
#include "module_state.h"
#include "module_text.h"
#include "rand15.h"
#include "slice_runner.h"
#include "transition_timeline.h"

namespace zk {
namespace {

struct ParamValue {
  double number = 0.0;
  f0r_param_color colour{0, 0, 0};
  std::string text;
  bool set = false;  // settings fields keep the defaults until a host sets them
};

struct Instance {
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;
  std::mutex guard;            // the values and the block, read by every frame call
  std::vector<uint8_t> block;  // the settings record as of the last frame
  // The record with only the host's field values over the defaults, as of the last frame,
  // and the preset last applied (-1: none): what tells a changed value from a repeated one.
  std::vector<uint8_t> hostBlock;
  int32_t appliedPreset = -1;
  std::vector<ParamValue> values;
  // The transition whose frame-to-frame state this instance renders on (stateful effects),
  // chosen by the first frame call.
  Timeline* timeline = nullptr;
};

std::vector<Frei0rParam> g_params;
std::string g_name, g_explanation;

bool HasModuleState() { return &kModuleState != nullptr && kModuleState.block != nullptr; }

// The module's state is one global block: every render of a stateful effect, whichever
// transition it belongs to, holds this while its transition's copy is swapped in.
std::mutex g_moduleStateLock;

int32_t RenderPosition(const PositionInputs& p, int32_t width, int32_t height,
                       const uint8_t* sceneA, const uint8_t* sceneB, uint8_t* out) {
  ApplyRequest request{};
  BitmapHeader header{};
  header.headerSize = sizeof header;
  header.width = width;
  header.height = height;
  header.planes = 1;
  header.bitCount = 24;
  request.outputHeader = &header;
  request.outputPixels = out;
  request.sceneAPixels = sceneA;
  request.sceneBPixels = sceneB;
  request.rectWidth = width;
  request.rectHeight = height;
  request.variantFlags = p.variantFlags;
  request.extraFlags = p.extraFlags;
  request.extraColor = p.extraColor;
  request.progress = p.progress;
  // The render code may scribble on its settings record; the recorded one stays as it was.
  std::vector<uint8_t> block = p.block;
  if (!block.empty()) request.paramBlock = block.data();
  ScopedDefaultFloatEnvironment floatEnvironment;
  const FrameView view = DecodeApplyRequest(request, p.fieldMode, true);
  const SliceCrewScope crew(static_cast<int64_t>(view.width) * view.height);
  return kPlugin.render(view);
}

// A replay's pictures when the effect's state does not look at them, and its output: shared
// by every replay, under g_moduleStateLock.
std::vector<uint8_t> g_blankScene, g_replayOutput;

int32_t RenderOnState(const PositionInputs& p, int32_t width, int32_t height,
                      ModuleStateCopy* state, uint8_t* out) {
  std::lock_guard<std::mutex> lock(g_moduleStateLock);
  const size_t bytes = static_cast<size_t>(height) * FrameStride(width);
  if (out == nullptr) {
    if (g_replayOutput.size() < bytes) g_replayOutput.resize(bytes);
    out = g_replayOutput.data();
  }
  if ((!p.sceneA || !p.sceneB) && g_blankScene.size() < bytes) g_blankScene.resize(bytes);
  const uint8_t* sceneA = p.sceneA ? p.sceneA->data() : g_blankScene.data();
  const uint8_t* sceneB = p.sceneB ? p.sceneB->data() : g_blankScene.data();
  std::memcpy(kModuleState.block(), state->bytes.data(), kModuleState.size);
  Rand15Seed(state->rand);
  const int32_t result = RenderPosition(p, width, height, sceneA, sceneB, out);
  std::memcpy(state->bytes.data(), kModuleState.block(), kModuleState.size);
  state->rand = Rand15State();
  return result;
}

std::vector<uint8_t> g_pristineState;

void ResetState(ModuleStateCopy* state) {
  std::lock_guard<std::mutex> lock(g_moduleStateLock);
  if (!state->bytes.empty()) {
    std::memcpy(kModuleState.block(), state->bytes.data(), kModuleState.size);
    kModuleState.release();
  }
  state->bytes = g_pristineState;
  state->rand = 1;
}

// Where a block that owns memory is saved before its copy is cut to size, under
// g_moduleStateLock.
std::vector<uint8_t> g_saving;

// A block that owns nothing is its own saved copy.
SavedState SaveState(const ModuleStateCopy& state) {
  SavedState saved;
  saved.rand = state.rand;
  if (kModuleState.save == nullptr) {
    saved.bytes = state.bytes;
    return saved;
  }
  std::lock_guard<std::mutex> lock(g_moduleStateLock);
  std::memcpy(kModuleState.block(), state.bytes.data(), kModuleState.size);
  g_saving.resize(kModuleState.savedSize());
  saved.bytes.assign(g_saving.begin(), g_saving.begin() + kModuleState.save(g_saving.data()));
  return saved;
}

void RestoreState(const SavedState& saved, ModuleStateCopy* state) {
  state->rand = saved.rand;
  if (kModuleState.restore == nullptr) {
    state->bytes = saved.bytes;
    return;
  }
  std::lock_guard<std::mutex> lock(g_moduleStateLock);
  std::memcpy(kModuleState.block(), state->bytes.data(), kModuleState.size);
  kModuleState.restore(saved.bytes.data(), saved.bytes.size());
  std::memcpy(state->bytes.data(), kModuleState.block(), kModuleState.size);
}

TransitionTimelines g_timelines({RenderOnState, ResetState, SaveState, RestoreState,
                                 kFrei0rTarget.manifest->state != FrameState::FollowsProgress});

std::string Cp936ToUtf8(const char* text) {
  std::string out;
  iconv_t cd = iconv_open("UTF-8", "CP936");
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string in(text);
  std::vector<char> buffer(in.size() * 4 + 4);
  char* src = &in[0];
  size_t srcLeft = in.size();
  char* dst = buffer.data();
  size_t dstLeft = buffer.size();
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
    out.assign(buffer.data(), buffer.size() - dstLeft);
  else
    out = text;
  iconv_close(cd);
  return out;
}

void ColourToWord(const f0r_param_color& c, uint8_t* at) {
  auto channel = [](float x) {
    if (!(x >= 0.0f)) x = 0.0f;
    if (x > 1.0f) x = 1.0f;
    return static_cast<uint32_t>(x * 255.0f + 0.5f);
  };
  const uint32_t word = channel(c.r) | (channel(c.g) << 8) | (channel(c.b) << 16);
  std::memcpy(at, &word, 4);
}

f0r_param_color WordToColour(uint32_t word) {
  return f0r_param_color{(word & 0xFF) / 255.0f, ((word >> 8) & 0xFF) / 255.0f,
                         ((word >> 16) & 0xFF) / 255.0f};
}

// A settings field's value as the host has set it, written into a settings record.
void WriteField(const Frei0rParam& p, const ParamValue& v, uint8_t* block) {
  uint8_t* at = block + p.field->offset;
  switch (p.field->type) {
    case SettingType::Colour:
      ColourToWord(v.colour, at);
      break;
    case SettingType::Path:
      std::memset(at, 0, p.field->size);
      std::memcpy(at, v.text.data(), std::min<size_t>(v.text.size(), p.field->size - 1));
      break;
    default:
      UnitToField(*p.field, v.number, block);
  }
}

// The settings record for the next frame. Some hosts set every parameter before every frame,
// each field at the value they show, so a field is written only when what it sets differs from
// what it set last (at first, the module's default): a preset picked since the last frame is
// applied and stays, and a field changed after it wins over it. Two values that store the
// same bytes count as the same.
void UpdateBlock(Instance* in) {
  const SettingsSchema* schema = kFrei0rTarget.manifest->settings;
  if (schema == nullptr) return;
  std::vector<uint8_t> host = in->hostBlock;
  for (size_t i = 0; i < g_params.size(); ++i) {
    const Frei0rParam& p = g_params[i];
    const ParamValue& v = in->values[i];
    if (!v.set) continue;
    if (p.kind == Frei0rParamKind::Field) WriteField(p, v, host.data());
    if (p.kind != Frei0rParamKind::Preset || !(v.number >= 0 && v.number < schema->presetCount))
      continue;
    const int32_t index = static_cast<int32_t>(v.number);
    if (index == in->appliedPreset) continue;
    schema->applyPreset(in->block.data(), index);
    in->appliedPreset = index;
  }
  for (const Frei0rParam& p : g_params) {
    if (p.kind != Frei0rParamKind::Field) continue;
    const uint32_t at = p.field->offset;
    if (std::memcmp(host.data() + at, in->hostBlock.data() + at, p.field->size) != 0)
      std::memcpy(in->block.data() + at, host.data() + at, p.field->size);
  }
  in->hostBlock.swap(host);
}

// The frame call's inputs as the host has set them, with the settings record rebuilt.
PositionInputs ReadPosition(Instance* in, double time) {
  PositionInputs p;
  p.time = time;
  double progress = 0.0;
  const uint32_t* named[2] = {nullptr, nullptr};  // variant, extra
  std::lock_guard<std::mutex> lock(in->guard);
  for (size_t i = 0; i < g_params.size(); ++i) {
    const Frei0rParam& param = g_params[i];
    const ParamValue& v = in->values[i];
    switch (param.kind) {
      case Frei0rParamKind::Progress:
        progress = v.number;
        break;
      case Frei0rParamKind::FieldMode:
        p.fieldMode = v.number >= 0.5 ? 1 : 0;
        break;
      case Frei0rParamKind::VariantBit:
        if (v.number >= 0.5) p.variantFlags |= param.bit;
        break;
      case Frei0rParamKind::ExtraBit:
        if (v.number >= 0.5) p.extraFlags |= param.bit;
        break;
      case Frei0rParamKind::ExtraColour:
        ColourToWord(v.colour, reinterpret_cast<uint8_t*>(&p.extraColor));
        break;
      case Frei0rParamKind::NamedChoice: {
        const double index = std::floor(v.number + 0.5);
        if (index >= 0 && index < param.words.size())
          named[param.word == HostWord::Variant ? 0 : 1] = &param.words[static_cast<size_t>(index)];
        break;
      }
      default:
        break;
    }
  }
  // A named choice is the whole word, whatever its bits say.
  if (named[0] != nullptr) p.variantFlags = *named[0];
  if (named[1] != nullptr) p.extraFlags = *named[1];
  if (!(progress >= 0.0)) progress = 0.0;
  if (progress > 1.0) progress = 1.0;
  p.progress = static_cast<float>(progress);
  if (!in->block.empty()) {
    UpdateBlock(in);
    p.block = in->block;
  }
  return p;
}

// The host's RGBA pictures as our frames. True when both are opaque throughout.
bool ToScenes(const Instance& in, const uint8_t* rgbaA, const uint8_t* rgbaB,
              std::vector<uint8_t>* sceneA, std::vector<uint8_t>* sceneB) {
  const size_t bytes = static_cast<size_t>(in.stride) * in.height;
  sceneA->resize(bytes);
  sceneB->resize(bytes);
  const size_t line = static_cast<size_t>(in.width) * 4;
  // Picture line y is frame row (height - 1 - y): our frames keep the bottom line first.
  uint8_t alpha = 255;
  for (int32_t y = 0; y < in.height; ++y) {
    const size_t row = static_cast<size_t>(in.height - 1 - y) * in.stride;
    alpha &= RgbaLineToBgrRow(rgbaA + y * line, in.width, sceneA->data() + row);
    alpha &= RgbaLineToBgrRow(rgbaB + y * line, in.width, sceneB->data() + row);
  }
  return alpha == 255;
}

void ShowFrame(const Instance& in, const std::vector<uint8_t>& shown, float progress,
               const uint8_t* rgbaA, const uint8_t* rgbaB, bool opaque, uint8_t* rgbaOut) {
  const size_t line = static_cast<size_t>(in.width) * 4;
  for (int32_t y = 0; y < in.height; ++y) {
    const size_t row = static_cast<size_t>(in.height - 1 - y) * in.stride;
    if (opaque)
      BgrRowToOpaqueRgbaLine(shown.data() + row, in.width, rgbaOut + y * line);
    else
      BgrRowToRgbaLine(shown.data() + row, rgbaA + y * line, rgbaB + y * line, progress, in.width,
                       rgbaOut + y * line);
  }
}

}  // namespace
}  // namespace zk

using zk::g_params;
using zk::Instance;

extern "C" {

int f0r_init() {
  g_params = zk::BuildFrei0rParams(*zk::kFrei0rTarget.manifest);
  if (zk::HasModuleState()) {
    const uint8_t* live = static_cast<const uint8_t*>(zk::kModuleState.block());
    zk::g_pristineState.assign(live, live + zk::kModuleState.size);
  }
  char text[256];
  zk::LoadModuleText(zk::kTextDescription, text, sizeof text);
  zk::g_explanation = zk::Cp936ToUtf8(text);
  zk::g_name = std::string("zelkor_") + zk::kFrei0rTarget.manifest->name;
  return 1;
}

void f0r_deinit() {}

void f0r_get_plugin_info(f0r_plugin_info_t* info) {
  info->name = zk::g_name.c_str();
  info->author = "Zelkor Transitions";
  info->plugin_type = F0R_PLUGIN_TYPE_MIXER2;
  info->color_model = F0R_COLOR_MODEL_RGBA8888;
  info->frei0r_version = FREI0R_MAJOR_VERSION;
  info->major_version = zk::kFrei0rTarget.versionMajor;
  info->minor_version = zk::kFrei0rTarget.versionMinor;
  info->num_params = static_cast<int>(g_params.size());
  info->explanation = zk::g_explanation.c_str();
}

void f0r_get_param_info(f0r_param_info_t* info, int index) {
  if (index < 0 || index >= static_cast<int>(g_params.size())) return;
  info->name = g_params[index].name.c_str();
  info->type = g_params[index].type;
  info->explanation = g_params[index].explanation.c_str();
}

f0r_instance_t f0r_construct(unsigned int width, unsigned int height) {
  if (width == 0 || height == 0 || width > 16384 || height > 16384) return nullptr;
  Instance* in = new (std::nothrow) Instance;
  if (in == nullptr) return nullptr;
  in->width = static_cast<int32_t>(width);
  in->height = static_cast<int32_t>(height);
  in->stride = zk::FrameStride(in->width);
  in->values.resize(g_params.size());
  if (zk::kFrei0rTarget.manifest->settings != nullptr) {
    in->block.resize(zk::kFrei0rTarget.manifest->settings->blockSize);
    zk::kFrei0rTarget.manifest->settings->writeDefaults(in->block.data());
    in->hostBlock = in->block;
  }
  // The host choices start at the module's own defaults.
  for (size_t i = 0; i < g_params.size(); ++i) {
    const zk::Frei0rParam& p = g_params[i];
    if (p.kind == zk::Frei0rParamKind::VariantBit)
      in->values[i].number = (zk::kFrei0rTarget.manifest->variantDefault & p.bit) ? 1.0 : 0.0;
    if (p.kind == zk::Frei0rParamKind::ExtraBit)
      in->values[i].number = (zk::kFrei0rTarget.manifest->extraDefault & p.bit) ? 1.0 : 0.0;
    if (p.kind == zk::Frei0rParamKind::Preset || p.kind == zk::Frei0rParamKind::NamedChoice)
      in->values[i].number = -1.0;
  }
  return in;
}

void f0r_destruct(f0r_instance_t instance) {
  Instance* in = static_cast<Instance*>(instance);
  if (in == nullptr) return;
  if (in->timeline != nullptr) zk::g_timelines.Leave(in->timeline);
  delete in;
}

void f0r_set_param_value(f0r_instance_t instance, f0r_param_t param, int index) {
  Instance* in = static_cast<Instance*>(instance);
  if (in == nullptr || param == nullptr || index < 0 || index >= static_cast<int>(g_params.size()))
    return;
  std::lock_guard<std::mutex> lock(in->guard);
  zk::ParamValue& v = in->values[index];
  switch (g_params[index].type) {
    case F0R_PARAM_COLOR:
      v.colour = *static_cast<f0r_param_color*>(param);
      break;
    case F0R_PARAM_STRING: {
      const char* s = *static_cast<f0r_param_string*>(param);
      v.text = s != nullptr ? s : "";
      break;
    }
    default:
      v.number = *static_cast<double*>(param);
  }
  v.set = true;
}

void f0r_get_param_value(f0r_instance_t instance, f0r_param_t param, int index) {
  Instance* in = static_cast<Instance*>(instance);
  if (in == nullptr || param == nullptr || index < 0 || index >= static_cast<int>(g_params.size()))
    return;
  std::lock_guard<std::mutex> lock(in->guard);
  const zk::Frei0rParam& p = g_params[index];
  const zk::ParamValue& v = in->values[index];
  if (p.kind == zk::Frei0rParamKind::Field && !v.set) {
    // Not set yet: the module's default.
    switch (p.field->type) {
      case zk::SettingType::Colour: {
        uint32_t word;
        std::memcpy(&word, in->block.data() + p.field->offset, 4);
        *static_cast<f0r_param_color*>(param) = zk::WordToColour(word);
        return;
      }
      case zk::SettingType::Path: {
        static thread_local std::string text;
        text = zk::FormatSetting(*p.field, in->block.data());
        *static_cast<f0r_param_string*>(param) = const_cast<char*>(text.c_str());
        return;
      }
      default:
        *static_cast<double*>(param) = zk::FieldToUnit(*p.field, in->block.data());
        return;
    }
  }
  switch (p.type) {
    case F0R_PARAM_COLOR:
      *static_cast<f0r_param_color*>(param) = v.colour;
      break;
    case F0R_PARAM_STRING:
      *static_cast<f0r_param_string*>(param) = const_cast<char*>(v.text.c_str());
      break;
    default:
      *static_cast<double*>(param) = v.number;
  }
}

void f0r_update2(f0r_instance_t instance, double time, const uint32_t* inframe1,
                 const uint32_t* inframe2, const uint32_t*, uint32_t* outframe) {
  Instance* in = static_cast<Instance*>(instance);
  if (in == nullptr || inframe1 == nullptr || inframe2 == nullptr || outframe == nullptr) return;
  const uint8_t* rgbaA = reinterpret_cast<const uint8_t*>(inframe1);
  const uint8_t* rgbaB = reinterpret_cast<const uint8_t*>(inframe2);
  uint8_t* rgbaOut = reinterpret_cast<uint8_t*>(outframe);
  zk::PositionInputs position = zk::ReadPosition(in, time);
  const float progress = position.progress;
  // Per thread, so that a host may run several frames of one instance at once.
  thread_local std::vector<uint8_t> output;
  output.resize(static_cast<size_t>(in->stride) * in->height);
  if (!zk::HasModuleState()) {
    thread_local std::vector<uint8_t> sceneA, sceneB;
    const bool opaque = zk::ToScenes(*in, rgbaA, rgbaB, &sceneA, &sceneB);
    const int32_t result = zk::RenderPosition(position, in->width, in->height, sceneA.data(),
                                              sceneB.data(), output.data());
    zk::ShowFrame(*in, result != 0 ? output : (progress < 0.5f ? sceneA : sceneB), progress, rgbaA,
                  rgbaB, opaque, rgbaOut);
    return;
  }
  // The transition may keep the scenes for a replay.
  auto sceneA = std::make_shared<std::vector<uint8_t>>(),
       sceneB = std::make_shared<std::vector<uint8_t>>();
  const bool opaque = zk::ToScenes(*in, rgbaA, rgbaB, sceneA.get(), sceneB.get());
  position.sceneA = sceneA;
  position.sceneB = sceneB;
  zk::Timeline* timeline;
  {
    // The first frame call picks the transition, from the thread the host runs it on.
    std::lock_guard<std::mutex> lock(in->guard);
    if (in->timeline == nullptr)
      in->timeline = zk::g_timelines.Join(in->width, in->height, std::this_thread::get_id());
    timeline = in->timeline;
  }
  const int32_t result = zk::g_timelines.Render(timeline, std::move(position), output.data());
  zk::ShowFrame(*in, result != 0 ? output : (progress < 0.5f ? *sceneA : *sceneB), progress, rgbaA,
                rgbaB, opaque, rgbaOut);
}

void f0r_update(f0r_instance_t instance, double time, const uint32_t* inframe, uint32_t* outframe) {
  // A mixer needs two inputs; called as a filter it mixes the frame with itself.
  f0r_update2(instance, time, inframe, inframe, nullptr, outframe);
}

}  // extern "C"
