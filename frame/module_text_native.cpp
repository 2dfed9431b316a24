#include <cstring>

#include "module_text.h"

namespace zk {

int32_t LoadModuleText(uint32_t id, char* buffer, int32_t bufferSize) {
  if (bufferSize <= 0) return 0;
  buffer[0] = '\0';
  for (int32_t i = 0; i < kNativeModuleTextCount; ++i) {
    if (kNativeModuleTexts[i].id != id) continue;
    const size_t length = std::strlen(kNativeModuleTexts[i].text);
    const size_t room = static_cast<size_t>(bufferSize - 1);
    const size_t copied = length < room ? length : room;
    std::memcpy(buffer, kNativeModuleTexts[i].text, copied);
    buffer[copied] = '\0';
    return static_cast<int32_t>(copied);
  }
  return 0;
}

}  // namespace zk
