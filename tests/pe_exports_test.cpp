// The Windows modules export exactly the host's entry points under plain names and import
// nothing but system DLLs (the runtime is linked statically).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

#include "image_files.h"
#include "test_support.h"

namespace zk {
namespace {

struct PeFile {
  std::vector<uint8_t> bytes;
  struct Section {
    uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
  };
  std::vector<Section> sections;
  uint32_t exportRva = 0, importRva = 0;

  uint32_t U32(size_t at) const {
    if (at + 4 > bytes.size()) return 0;
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<uint32_t>(bytes[at + 3]) << 24);
  }
  uint16_t U16(size_t at) const {
    return at + 2 > bytes.size() ? 0 : static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
  }
  size_t Offset(uint32_t rva) const {
    for (const Section& s : sections)
      if (rva >= s.virtualAddress && rva < s.virtualAddress + std::max(s.virtualSize, s.rawSize))
        return rva - s.virtualAddress + s.rawOffset;
    return bytes.size();
  }
  std::string String(uint32_t rva) const {
    std::string s;
    for (size_t at = Offset(rva); at < bytes.size() && bytes[at] != 0; ++at)
      s.push_back(static_cast<char>(bytes[at]));
    return s;
  }
  bool Parse() {
    if (bytes.size() < 64 || bytes[0] != 'M' || bytes[1] != 'Z') return false;
    const uint32_t pe = U32(0x3C);
    if (U32(pe) != 0x4550) return false;
    const uint16_t sectionCount = U16(pe + 6);
    const uint16_t optionalSize = U16(pe + 20);
    const size_t optional = pe + 24;
    if (U16(optional) != 0x10B) return false;  // PE32: a 32-bit image
    exportRva = U32(optional + 96);
    importRva = U32(optional + 104);
    size_t sec = optional + optionalSize;
    for (int i = 0; i < sectionCount; ++i, sec += 40)
      sections.push_back({U32(sec + 12), U32(sec + 8), U32(sec + 20), U32(sec + 16)});
    return true;
  }
  std::set<std::string> Exports() const {
    std::set<std::string> names;
    if (exportRva == 0) return names;
    const size_t dir = Offset(exportRva);
    const uint32_t count = U32(dir + 24);
    const size_t table = Offset(U32(dir + 32));
    for (uint32_t i = 0; i < count && i < 64; ++i) names.insert(String(U32(table + 4 * i)));
    return names;
  }
  std::set<std::string> Imports() const {
    std::set<std::string> names;
    if (importRva == 0) return names;
    for (size_t d = Offset(importRva); U32(d + 12) != 0 && names.size() < 64; d += 20) {
      std::string n = String(U32(d + 12));
      std::transform(n.begin(), n.end(), n.begin(),
                     [](unsigned char c) { return std::tolower(c); });
      names.insert(n);
    }
    return names;
  }
};

TEST(WindowsModules, ExportExactlyTheEntryPointsAndImportOnlySystemDlls) {
#if !defined(_WIN32)
  GTEST_SKIP() << "the native modules are shared objects";
#endif
  const std::set<std::string> system = {"kernel32.dll", "user32.dll",   "gdi32.dll",
                                        "comctl32.dll", "comdlg32.dll", "version.dll",
                                        "msvcrt.dll",   "advapi32.dll", "shell32.dll"};
  for (const std::string& name : ListModuleNames(ZELKOR_TEST_MODULE_DIR)) {
    SCOPED_TRACE(name);
    PeFile pe;
    std::string error;
    ASSERT_TRUE(ReadWholeFile(ModulePath(ZELKOR_TEST_MODULE_DIR, name), &pe.bytes, &error));
    ASSERT_TRUE(pe.Parse());
    HostedEffect e;
    ASSERT_TRUE(test::OpenBuiltEffect(name, &e));
    std::set<std::string> expected = {"vxDLLApplyEffect", "vxDLLGetEffInfo"};
    if (!e.params.empty()) expected.insert("vxDLLGetDefault");
    CloseEffect(&e);
    EXPECT_EQ(expected, pe.Exports());
    for (const std::string& dll : pe.Imports()) EXPECT_TRUE(system.count(dll)) << dll;
  }
}

}  // namespace
}  // namespace zk
