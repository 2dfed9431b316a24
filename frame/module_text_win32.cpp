#include <windows.h>

#include "module_text.h"
#include "plugin.h"

namespace zk {

int32_t LoadModuleText(uint32_t id, char* buffer, int32_t bufferSize) {
  if (bufferSize <= 0) return 0;
  buffer[0] = '\0';
  return LoadStringA(static_cast<HINSTANCE>(ModuleInstance()), id, buffer, bufferSize);
}

}  // namespace zk
