// zelkor's variant and extra words: one left out is the module's own default, a name stands
// for its number, and a name the module does not have is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "effect_host.h"
#include "image_files.h"
#include "module_registry.h"
#include "test_support.h"

namespace zk {
namespace {

// The defaults the modules document (a module not listed passes 0 and 0).
struct DocumentedDefaults {
  const char* module;
  const char* words;
};
constexpr DocumentedDefaults kDocumented[] = {
    {"curtain", "--variant 0x100 --extra 0x20"}, {"waves", "--variant 0x10000 --extra 0"},
    {"bubble", "--variant 0x10000 --extra 0"},   {"colors", "--variant 0x20000 --extra 0"},
    {"spiral", "--variant 2 --extra 8"},         {"shaft", "--variant 8 --extra 0"},
    {"logo", "--variant 0 --extra 0x300"},
};

std::string DocumentedWords(const std::string& module) {
  for (const DocumentedDefaults& d : kDocumented)
    if (module == d.module) return d.words;
  return "--variant 0 --extra 0";
}

class ZelkorHostWords : public ::testing::Test {
 protected:
  void SetUp() override {
    // The scenes go to a folder that is not there yet: zelkor scenes makes it.
    dir_ = test::FreshTempDir(std::string("words_") +
                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ASSERT_EQ(0, test::RunZelkor("scenes --out-dir " + dir_ + "/scenes/small --size 48x27"));
  }
  // Renders into a file named after `tag` and returns its bytes (empty when zelkor fails or
  // writes nothing).
  std::vector<uint8_t> Render(const std::string& module, const std::string& words,
                              const std::string& tag, const std::string& output = "bmp",
                              const std::string& when = "--progress 0.3") {
    const std::string out = dir_ + "/" + module + "_" + tag + "." + output;
    const std::string scenes = dir_ + "/scenes/small/scene_";
    std::vector<uint8_t> bytes;
    std::string error;
    if (test::RunZelkor("render " + module + " --from " + scenes + "a.bmp --to " + scenes +
                        "b.bmp --seed 1 --quiet " + when + " " + words + " --out " + out) == 0)
      ReadWholeFile(out, &bytes, &error);
    return bytes;
  }
  std::string dir_;
};

TEST_F(ZelkorHostWords, LeftOutWordsAreTheModulesOwnDefaults) {
  const std::vector<std::string> modules = ListModuleNames(ZELKOR_TEST_MODULE_DIR);
  ASSERT_GE(modules.size(), 20u);
  for (const std::string& m : modules) {
    const std::vector<uint8_t> plain = Render(m, "", "plain");
    ASSERT_FALSE(plain.empty()) << m;
    EXPECT_EQ(plain, Render(m, DocumentedWords(m), "explicit")) << m;
  }
  // A word given as 0 is passed as 0: curtain then closes (no bit 0x100) without a shadow.
  const std::vector<uint8_t> zero = Render("curtain", "--variant 0 --extra 0", "zero");
  EXPECT_EQ(zero, Render("curtain", "--variant closing --extra no-shadow", "closing"));
  EXPECT_NE(zero, Render("curtain", "", "default"));
}

#if defined(ZELKOR_HAVE_MEDIA)
TEST_F(ZelkorHostWords, JoinWithoutWordsUsesTheDefaults) {
  const std::string join = "--duration 0.3 --still-duration 0";
  const std::vector<uint8_t> plain = Render("curtain", "", "plain", "gif", join);
  ASSERT_FALSE(plain.empty());
  EXPECT_EQ(plain, Render("curtain", DocumentedWords("curtain"), "explicit", "gif", join));
  EXPECT_NE(plain, Render("curtain", "--variant 0 --extra 0", "zero", "gif", join));
}
#endif

TEST_F(ZelkorHostWords, NamesGiveTheFramesOfTheirNumbers) {
  int named = 0;
  for (const std::string& m : ListModuleNames(ZELKOR_TEST_MODULE_DIR)) {
    const HostChoiceTable* table = FindHostChoices(m);
    for (int32_t k = 0; table != nullptr && k < table->count; ++k) {
      const HostChoice& c = table->choices[k];
      const std::string option = c.word == HostWord::Variant ? "--variant " : "--extra ";
      const std::vector<uint8_t> byName = Render(m, option + c.name, c.name);
      ASSERT_FALSE(byName.empty()) << m << " " << c.name;
      EXPECT_EQ(byName,
                Render(m, option + std::to_string(c.value), std::string(c.name) + "_number"))
          << c.name;
      ++named;
    }
  }
  EXPECT_GE(named, 20);
}

TEST_F(ZelkorHostWords, AnUnknownNameFailsInOneLineListingTheNames) {
  const struct {
    std::string module, words, listed;
  } cases[] = {
      {"curtain", "--variant sideways",
       "--variant: 'sideways' is no number nor one of curtain's: "
       "opening, closing"},
      {"curtain", "--extra opening", "no-shadow, wide-shadow, medium-shadow, narrow-shadow"},
      {"crossfade", "--variant 12x", "--variant: '12x' is no number (crossfade names none)"},
  };
  for (const auto& c : cases) {
    const std::string out = dir_ + "/refused.bmp";
    std::string errors;
    EXPECT_NE(
        0, test::RunZelkor(
               "render " + c.module + " --from " + dir_ + "/scenes/small/scene_a.bmp --to " + dir_ +
                   "/scenes/small/scene_b.bmp --progress 0.5 " + c.words + " --out " + out,
               nullptr, &errors));
    EXPECT_NE(std::string::npos, errors.find(c.listed)) << errors;
    EXPECT_EQ(1, std::count(errors.begin(), errors.end(), '\n')) << errors;
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(ReadWholeFile(out, &bytes, &errors)) << c.words;
  }
}

}  // namespace
}  // namespace zk
