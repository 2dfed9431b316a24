// The frei0r plug-ins, loaded like a frei0r host loads them: plug-in and parameter info,
// defaults equal to the module's, and frames equal to the module's through the RGBA
// conversion.
#if !defined(_WIN32) && __has_include(<frei0r.h>)

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <frei0r.h>
}

#include "frei0r_plugin_loader.h"
#include "module_registry.h"
#include "test_support.h"

namespace zk {
namespace {

// A frame as RGBA lines, top line first, from one of our frames.
std::vector<uint32_t> ToRgba(const FrameImage& f, uint8_t alpha) {
  std::vector<uint32_t> rgba(static_cast<size_t>(f.width) * f.height);
  uint8_t* bytes = reinterpret_cast<uint8_t*>(rgba.data());
  for (int32_t y = 0; y < f.height; ++y)
    for (int32_t x = 0; x < f.width; ++x) {
      const uint8_t* p = PixelAt(f, x, f.height - 1 - y);
      uint8_t* q = bytes + (static_cast<size_t>(y) * f.width + x) * 4;
      q[0] = p[2];
      q[1] = p[1];
      q[2] = p[0];
      q[3] = alpha;
    }
  return rgba;
}

// The field value a frei0r number in 0..1 stands for: a pick from the field's list, or a
// point of the dialog range.
double FieldValueOfUnit(const SettingField& field, double unit) {
  if (field.choices == nullptr) return field.minValue + unit * (field.maxValue - field.minValue);
  std::vector<long> choices;
  for (const char* p = field.choices; *p != '\0'; ++p) {
    char* end = nullptr;
    choices.push_back(std::strtol(p, &end, 10));
    p = end;
    if (*p == '\0') break;
  }
  return static_cast<double>(choices.at(std::lround(unit * (choices.size() - 1))));
}

// Reads parameter `index` of a fresh instance and checks it against the field's bytes in
// the module's own default record.
void ExpectReadsBackDefault(const Frei0rPlugin& plugin, f0r_instance_t instance, int index,
                            int paramType, const SettingField& field,
                            const std::vector<uint8_t>& defaults) {
  SCOPED_TRACE(field.name);
  const uint8_t* at = defaults.data() + field.offset;
  switch (field.type) {
    case SettingType::Colour: {
      ASSERT_EQ(F0R_PARAM_COLOR, paramType);
      f0r_param_color c{-1.0f, -1.0f, -1.0f};
      plugin.getParam(instance, &c, index);
      const float channels[3] = {c.r, c.g, c.b};
      for (int k = 0; k < 3; ++k)
        EXPECT_EQ(at[k], static_cast<uint32_t>(channels[k] * 255.0f + 0.5f)) << "channel " << k;
      break;
    }
    case SettingType::Path: {
      ASSERT_EQ(F0R_PARAM_STRING, paramType);
      f0r_param_string text = nullptr;
      plugin.getParam(instance, &text, index);
      ASSERT_NE(nullptr, text);
      const char* path = reinterpret_cast<const char*>(at);
      EXPECT_EQ(std::string(path, strnlen(path, field.size)), text);
      break;
    }
    case SettingType::Float32: {
      ASSERT_EQ(F0R_PARAM_DOUBLE, paramType);
      double unit = -1.0;
      plugin.getParam(instance, &unit, index);
      float value;
      std::memcpy(&value, at, 4);
      EXPECT_FLOAT_EQ(value, static_cast<float>(FieldValueOfUnit(field, unit)));
      break;
    }
    default: {  // whole numbers and switches
      ASSERT_TRUE(paramType == F0R_PARAM_DOUBLE || paramType == F0R_PARAM_BOOL);
      double unit = -1.0;
      plugin.getParam(instance, &unit, index);
      EXPECT_EQ(ReadIntegerSetting(field, defaults.data()),
                std::llround(FieldValueOfUnit(field, unit)));
    }
  }
}

TEST(Frei0rPlugins, InfoDefaultsAndFramesMatchTheModules) {
  const std::vector<std::string> modules = ListModuleNames(ZELKOR_TEST_MODULE_DIR);
  ASSERT_FALSE(modules.empty());
  for (const std::string& name : modules) {
    SCOPED_TRACE(name);
    Frei0rPlugin plugin;
    ASSERT_TRUE(plugin.Load("frei0r-1/zelkor_" + name + ".so")) << dlerror();
    ASSERT_EQ(1, plugin.init());
    f0r_plugin_info_t info{};
    plugin.pluginInfo(&info);
    EXPECT_EQ("zelkor_" + name, info.name);
    EXPECT_EQ(F0R_PLUGIN_TYPE_MIXER2, info.plugin_type);
    EXPECT_EQ(F0R_COLOR_MODEL_RGBA8888, info.color_model);
    EXPECT_EQ(FREI0R_MAJOR_VERSION, info.frei0r_version);
    ASSERT_GE(info.num_params, 2);
    f0r_param_info_t param{};
    plugin.paramInfo(&param, 0);
    EXPECT_STREQ("progress", param.name);
    EXPECT_EQ(F0R_PARAM_DOUBLE, param.type);

    HostedEffect effect;
    ASSERT_TRUE(test::OpenBuiltEffect(name, &effect));
    const SettingsSchema* schema = FindSchema(name);
    f0r_instance_t instance = plugin.construct(9, 6);
    ASSERT_NE(nullptr, instance);
    // Every settings field reads back as the module's default.
    int32_t fieldsSeen = 0;
    for (int i = 0; i < info.num_params && schema != nullptr; ++i) {
      plugin.paramInfo(&param, i);
      const SettingField* field = FindSetting(*schema, param.name);
      if (field == nullptr) continue;
      ++fieldsSeen;
      ExpectReadsBackDefault(plugin, instance, i, param.type, *field, effect.params);
    }
    if (schema != nullptr) {
      EXPECT_EQ(schema->fieldCount, fieldsSeen);
    }
    const FrameImage a = test::PatternFrame(9, 6, 71), b = test::PatternFrame(9, 6, 72);
    const std::vector<uint32_t> rgbaA = ToRgba(a, 255), rgbaB = ToRgba(b, 255);
    for (double p : {0.0, 0.4, 1.0}) {
      double progress = p;
      plugin.setParam(instance, &progress, 0);
      std::vector<uint32_t> out(rgbaA.size(), 0);
      plugin.update2(instance, p, rgbaA.data(), rgbaB.data(), nullptr, out.data());
      // The plug-in starts from the module's announced default choices.
      RenderChoices choices;
      choices.variantFlags = effect.info.variantDefault & effect.info.variantMask;
      choices.extraFlags = effect.info.extraDefault & effect.info.extraMask & ~0x308u;
      FrameImage expected = MakeFrameImage(9, 6);
      RenderEffectFrame(effect, a, b, static_cast<float>(p), choices, &expected);
      EXPECT_EQ(ToRgba(expected, 255), out) << "p=" << p;
    }
    plugin.destruct(instance);
    CloseEffect(&effect);
  }
}

// A named choice, given by its index, is the whole host word: the word's bits, all set here,
// no longer count. Each choice gives the frame the module gives for that word.
TEST(Frei0rPlugins, NamedChoicesSetTheWholeWord) {
  int32_t checked = 0;
  for (const std::string& name : ListModuleNames(ZELKOR_TEST_MODULE_DIR)) {
    const HostChoiceTable* table = FindHostChoices(name);
    if (table == nullptr) continue;
    SCOPED_TRACE(name);
    Frei0rPlugin plugin;
    ASSERT_TRUE(plugin.Load("frei0r-1/zelkor_" + name + ".so"));
    ASSERT_EQ(1, plugin.init());
    HostedEffect effect;
    ASSERT_TRUE(test::OpenBuiltEffect(name, &effect));
    f0r_plugin_info_t info{};
    plugin.pluginInfo(&info);
    const FrameImage a = test::PatternFrame(16, 10, 5), b = test::PatternFrame(16, 10, 6);
    const std::vector<uint32_t> rgbaA = ToRgba(a, 255), rgbaB = ToRgba(b, 255);
    for (HostWord word : {HostWord::Variant, HostWord::Extra}) {
      const std::string wordName = word == HostWord::Variant ? "variant" : "extra";
      int listIndex = -1;
      std::vector<int> bits;
      for (int i = 0; i < info.num_params; ++i) {
        f0r_param_info_t param{};
        plugin.paramInfo(&param, i);
        if (param.name == wordName) listIndex = i;
        if (std::string(param.name).rfind(wordName + "0x", 0) == 0) bits.push_back(i);
      }
      if (listIndex < 0 || bits.empty()) continue;
      double index = 0;
      for (int32_t c = 0; c < table->count; ++c) {
        if (table->choices[c].word != word) continue;
        f0r_instance_t instance = plugin.construct(16, 10);
        double on = 1.0, progress = 0.4;
        for (int bit : bits) plugin.setParam(instance, &on, bit);
        plugin.setParam(instance, &index, listIndex);
        plugin.setParam(instance, &progress, 0);
        std::vector<uint32_t> out(rgbaA.size(), 0);
        plugin.update2(instance, progress, rgbaA.data(), rgbaB.data(), nullptr, out.data());
        plugin.destruct(instance);
        RenderChoices choices;
        choices.variantFlags = effect.info.variantDefault & effect.info.variantMask;
        choices.extraFlags = effect.info.extraDefault & effect.info.extraMask & ~0x308u;
        (word == HostWord::Variant ? choices.variantFlags : choices.extraFlags) =
            table->choices[c].value;
        FrameImage expected = MakeFrameImage(16, 10);
        RenderEffectFrame(effect, a, b, static_cast<float>(progress), choices, &expected);
        EXPECT_EQ(ToRgba(expected, 255), out) << table->choices[c].name;
        index += 1;
        ++checked;
      }
    }
    CloseEffect(&effect);
  }
  EXPECT_GE(checked, 16);
}

// Two transitions of an effect with frame-to-frame state, rendered interleaved in one
// process, each give the frames they give alone.
TEST(Frei0rPlugins, StatefulEffectsKeepStatePerInstance) {
  for (const std::string name : {"dream", "chars", "firestorm", "airport"}) {
    SCOPED_TRACE(name);
    Frei0rPlugin plugin;
    ASSERT_TRUE(plugin.Load("frei0r-1/zelkor_" + name + ".so"));
    // Large enough for the fire's hot-spot search, which draws from the shared generator.
    constexpr int kWidth = 96, kHeight = 64;
    ASSERT_EQ(1, plugin.init());
    const FrameImage a = test::PatternFrame(kWidth, kHeight, 11),
                     b = test::PatternFrame(kWidth, kHeight, 12);
    const std::vector<uint32_t> rgbaA = ToRgba(a, 255), rgbaB = ToRgba(b, 255);
    auto render = [&](f0r_instance_t instance, double p) {
      plugin.setParam(instance, &p, 0);
      std::vector<uint32_t> out(rgbaA.size());
      plugin.update2(instance, p, rgbaA.data(), rgbaB.data(), nullptr, out.data());
      return out;
    };
    std::vector<std::vector<uint32_t>> alone;
    f0r_instance_t solo = plugin.construct(kWidth, kHeight);
    for (int k = 0; k < 8; ++k) alone.push_back(render(solo, k / 7.0));
    plugin.destruct(solo);
    f0r_instance_t first = plugin.construct(kWidth, kHeight);
    f0r_instance_t second = plugin.construct(kWidth, kHeight);
    for (int k = 0; k < 8; ++k) {
      render(second, k / 7.0 * 0.3);  // another transition, another history, drawing too
      EXPECT_EQ(alone[k], render(first, k / 7.0)) << "frame " << k;
    }
    plugin.destruct(first);
    plugin.destruct(second);
  }
}

}  // namespace
}  // namespace zk

#endif
