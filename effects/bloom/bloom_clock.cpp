#include "bloom_clock.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace zk {
namespace {

// The variable's text, or false when it is not set. Windows reads the process block
// directly: the C runtime's copy would miss a value set after start-up.
bool ReadSeedVariable(char* text, size_t size) {
#if defined(_WIN32)
  const DWORD n = GetEnvironmentVariableA(kNoiseSeedVariable, text, static_cast<DWORD>(size));
  return n > 0 && n < size;
#else
  const char* value = std::getenv(kNoiseSeedVariable);
  if (value == nullptr) return false;
  size_t i = 0;
  for (; value[i] != '\0'; ++i) {
    if (i + 1 >= size) return false;
    text[i] = value[i];
  }
  text[i] = '\0';
  return true;
#endif
}

}  // namespace

double NoiseClockSeconds() {
  char text[32];
  if (ReadSeedVariable(text, sizeof text)) {
    // Decimal or 0x hexadecimal, digits only: a sign, spaces or trailing text do not count.
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    const int base = hex ? 16 : 10;
    const unsigned char first = static_cast<unsigned char>(digits[0]);
    if (hex ? std::isxdigit(first) != 0 : std::isdigit(first) != 0) {
      errno = 0;
      char* end = nullptr;
      const unsigned long long seconds = std::strtoull(digits, &end, base);
      if (errno == 0 && *end == '\0') return static_cast<double>(seconds);
    }
  }
  return static_cast<double>(std::time(nullptr));
}

}  // namespace zk
