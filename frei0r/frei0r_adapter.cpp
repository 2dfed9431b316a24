// The frei0r mixer2 interface over one module's render code. Every plug-in is this file
// plus a generated target; nothing here knows a particular effect.
extern "C" {
#include <frei0r.h>
}

#include <iconv.h>

#include <cstring>
#include <string>
#include <vector>

#include "float_environment.h"
#include "frame_convert.h"
#include "frame_view.h"
#include "frei0r_params.h"
#include "module_state.h"
#include "module_text.h"
#include "rand15.h"

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
  std::vector<uint8_t> sceneA, sceneB, output;
  std::vector<uint8_t> block;  // the settings record handed to the render code
  std::vector<uint8_t> state;  // this transition's copy of the module's frame-to-frame state
  // The shared generator's state between this transition's frames: an effect that keeps
  // drawing from it across frames must not see the draws of another transition.
  uint32_t randState = 1;
  std::vector<ParamValue> values;
};

std::vector<Frei0rParam> g_params;
std::vector<uint8_t> g_pristineState;
std::string g_name, g_explanation;

bool HasModuleState() { return &kModuleState != nullptr && kModuleState.block != nullptr; }

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

// The settings record for the next frame: defaults, then the preset, then every field the
// host has set.
void BuildBlock(Instance* in) {
  const SettingsSchema* schema = kFrei0rTarget.schema;
  if (schema == nullptr) return;
  std::fill(in->block.begin(), in->block.end(), 0);
  schema->writeDefaults(in->block.data());
  for (size_t i = 0; i < g_params.size(); ++i) {
    if (g_params[i].kind != Frei0rParamKind::Preset || !in->values[i].set) continue;
    const double index = in->values[i].number;
    if (index >= 0 && index < schema->presetCount)
      schema->applyPreset(in->block.data(), static_cast<int32_t>(index));
  }
  for (size_t i = 0; i < g_params.size(); ++i) {
    const Frei0rParam& p = g_params[i];
    const ParamValue& v = in->values[i];
    if (p.kind != Frei0rParamKind::Field || !v.set) continue;
    uint8_t* at = in->block.data() + p.field->offset;
    switch (p.field->type) {
      case SettingType::Colour:
        ColourToWord(v.colour, at);
        break;
      case SettingType::Path:
        std::memset(at, 0, p.field->size);
        std::memcpy(at, v.text.data(), std::min<size_t>(v.text.size(), p.field->size - 1));
        break;
      default:
        UnitToField(*p.field, v.number, in->block.data());
    }
  }
}

}  // namespace
}  // namespace zk

using zk::g_params;
using zk::Instance;

extern "C" {

int f0r_init() {
  g_params = zk::BuildFrei0rParams(zk::kFrei0rTarget, zk::kPlugin);
  if (zk::HasModuleState()) {
    const uint8_t* live = static_cast<const uint8_t*>(zk::kModuleState.block());
    zk::g_pristineState.assign(live, live + zk::kModuleState.size);
  }
  char text[256];
  zk::LoadModuleText(zk::kTextDescription, text, sizeof text);
  zk::g_explanation = zk::Cp936ToUtf8(text);
  zk::g_name = std::string("zelkor_") + zk::kFrei0rTarget.module;
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
  const size_t bytes = static_cast<size_t>(in->stride) * height;
  in->sceneA.resize(bytes);
  in->sceneB.resize(bytes);
  in->output.resize(bytes);
  in->values.resize(g_params.size());
  if (zk::kFrei0rTarget.schema != nullptr) {
    in->block.resize(zk::kFrei0rTarget.schema->blockSize);
    zk::BuildBlock(in);
  }
  in->state = zk::g_pristineState;
  // The host choices start at the module's own defaults.
  for (size_t i = 0; i < g_params.size(); ++i) {
    const zk::Frei0rParam& p = g_params[i];
    if (p.kind == zk::Frei0rParamKind::VariantBit)
      in->values[i].number = (zk::kPlugin.variantDefault & p.bit) ? 1.0 : 0.0;
    if (p.kind == zk::Frei0rParamKind::ExtraBit)
      in->values[i].number = (zk::kPlugin.extraDefault & p.bit) ? 1.0 : 0.0;
    if (p.kind == zk::Frei0rParamKind::Preset) in->values[i].number = -1.0;
  }
  return in;
}

void f0r_destruct(f0r_instance_t instance) {
  Instance* in = static_cast<Instance*>(instance);
  if (in == nullptr) return;
  if (zk::HasModuleState()) {
    // Let the module free what this transition's state owns.
    std::memcpy(zk::kModuleState.block(), in->state.data(), zk::kModuleState.size);
    zk::kModuleState.release();
  }
  delete in;
}

void f0r_set_param_value(f0r_instance_t instance, f0r_param_t param, int index) {
  Instance* in = static_cast<Instance*>(instance);
  if (in == nullptr || param == nullptr || index < 0 || index >= static_cast<int>(g_params.size()))
    return;
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

void f0r_update2(f0r_instance_t instance, double, const uint32_t* inframe1,
                 const uint32_t* inframe2, const uint32_t*, uint32_t* outframe) {
  Instance* in = static_cast<Instance*>(instance);
  if (in == nullptr || inframe1 == nullptr || inframe2 == nullptr || outframe == nullptr) return;
  const uint8_t* rgbaA = reinterpret_cast<const uint8_t*>(inframe1);
  const uint8_t* rgbaB = reinterpret_cast<const uint8_t*>(inframe2);
  uint8_t* rgbaOut = reinterpret_cast<uint8_t*>(outframe);
  const size_t line = static_cast<size_t>(in->width) * 4;
  // Picture line y is frame row (height - 1 - y): our frames keep the bottom line first.
  uint8_t alpha = 255;
  for (int32_t y = 0; y < in->height; ++y) {
    const size_t row = static_cast<size_t>(in->height - 1 - y) * in->stride;
    alpha &= zk::RgbaLineToBgrRow(rgbaA + y * line, in->width, in->sceneA.data() + row);
    alpha &= zk::RgbaLineToBgrRow(rgbaB + y * line, in->width, in->sceneB.data() + row);
  }
  const bool opaque = alpha == 255;
  zk::ApplyRequest request{};
  zk::BitmapHeader header{};
  header.headerSize = sizeof header;
  header.width = in->width;
  header.height = in->height;
  header.planes = 1;
  header.bitCount = 24;
  request.outputHeader = &header;
  request.outputPixels = in->output.data();
  request.sceneAPixels = in->sceneA.data();
  request.sceneBPixels = in->sceneB.data();
  request.rectWidth = in->width;
  request.rectHeight = in->height;
  int32_t fieldMode = 0;
  double progress = 0.0;
  for (size_t i = 0; i < g_params.size(); ++i) {
    const zk::Frei0rParam& p = g_params[i];
    const zk::ParamValue& v = in->values[i];
    switch (p.kind) {
      case zk::Frei0rParamKind::Progress:
        progress = v.number;
        break;
      case zk::Frei0rParamKind::FieldMode:
        fieldMode = v.number >= 0.5 ? 1 : 0;
        break;
      case zk::Frei0rParamKind::VariantBit:
        if (v.number >= 0.5) request.variantFlags |= p.bit;
        break;
      case zk::Frei0rParamKind::ExtraBit:
        if (v.number >= 0.5) request.extraFlags |= p.bit;
        break;
      case zk::Frei0rParamKind::ExtraColour:
        zk::ColourToWord(v.colour, reinterpret_cast<uint8_t*>(&request.extraColor));
        break;
      default:
        break;
    }
  }
  if (!(progress >= 0.0)) progress = 0.0;
  if (progress > 1.0) progress = 1.0;
  request.progress = static_cast<float>(progress);
  if (!in->block.empty()) {
    zk::BuildBlock(in);
    request.paramBlock = in->block.data();
  }
  const bool stateful = zk::HasModuleState();
  if (stateful) {
    std::memcpy(zk::kModuleState.block(), in->state.data(), zk::kModuleState.size);
    zk::Rand15Seed(in->randState);
  }
  int32_t result;
  {
    zk::ScopedDefaultFloatEnvironment floatEnvironment;
    result = zk::kPlugin.render(zk::DecodeApplyRequest(request, fieldMode, true));
  }
  if (stateful) {
    std::memcpy(in->state.data(), zk::kModuleState.block(), zk::kModuleState.size);
    in->randState = zk::Rand15State();
  }
  // A declined frame (0) leaves no picture of its own: show the nearer scene instead.
  const std::vector<uint8_t>& shown =
      result != 0 ? in->output : (request.progress < 0.5f ? in->sceneA : in->sceneB);
  for (int32_t y = 0; y < in->height; ++y) {
    const size_t row = static_cast<size_t>(in->height - 1 - y) * in->stride;
    if (opaque)
      zk::BgrRowToOpaqueRgbaLine(shown.data() + row, in->width, rgbaOut + y * line);
    else
      zk::BgrRowToRgbaLine(shown.data() + row, rgbaA + y * line, rgbaB + y * line, request.progress,
                           in->width, rgbaOut + y * line);
  }
}

void f0r_update(f0r_instance_t instance, double time, const uint32_t* inframe, uint32_t* outframe) {
  // A mixer needs two inputs; called as a filter it mixes the frame with itself.
  f0r_update2(instance, time, inframe, inframe, nullptr, outframe);
}

}  // extern "C"
