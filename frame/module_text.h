// The module's string table: effect name (101), group name (102), description (103) and
// any further strings a module carries. Windows reads them from the module's resources in
// the thread's ANSI code page; the native build carries the same strings in code page 936.
#pragma once

#include <cstdint>

namespace zk {

enum ModuleTextId : uint32_t {
  kTextEffectName = 101,
  kTextGroupName = 102,
  kTextDescription = 103,
};

// Copies at most bufferSize - 1 bytes of string `id` and terminates it, like LoadStringA.
// Returns the number of bytes copied (0 when the string does not exist).
int32_t LoadModuleText(uint32_t id, char* buffer, int32_t bufferSize);

// Native builds: the module's table, generated from its strings file.
struct NativeModuleText {
  uint32_t id;
  const char* text;
};
extern const NativeModuleText kNativeModuleTexts[];
extern const int32_t kNativeModuleTextCount;

}  // namespace zk
