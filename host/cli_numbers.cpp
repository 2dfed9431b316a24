#include "cli_numbers.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zk {
namespace {

bool ParseLongLong(const std::string& text, long long* value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const bool negHex =
      text.size() > 3 && text[0] == '-' && text[1] == '0' && (text[2] == 'x' || text[2] == 'X');
  long long v;
  if (hex || negHex) {
    v = std::strtoll(text.c_str(), &end, 16);
  } else {
    v = std::strtoll(text.c_str(), &end, 10);
  }
  if (errno != 0 || end == nullptr || *end != '\0' || end == text.c_str()) return false;
  *value = v;
  return true;
}

}  // namespace

bool ParseInt32(const std::string& text, int32_t* value) {
  long long v;
  if (!ParseLongLong(text, &v) || v < INT32_MIN || v > INT32_MAX) return false;
  *value = static_cast<int32_t>(v);
  return true;
}

bool ParseUint32(const std::string& text, uint32_t* value) {
  long long v;
  if (!ParseLongLong(text, &v) || v < 0 || v > 0xFFFFFFFFll) return false;
  *value = static_cast<uint32_t>(v);
  return true;
}

bool ParseFloat(const std::string& text, float* value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (errno != 0 || end == nullptr || *end != '\0' || end == text.c_str() || !std::isfinite(v))
    return false;
  *value = static_cast<float>(v);
  return true;
}

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    parts.push_back(
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return parts;
}

bool ParseHexBytes(const std::string& text, std::vector<uint8_t>* bytes) {
  bytes->clear();
  int high = -1;
  for (char ch : text) {
    if (std::isspace(static_cast<unsigned char>(ch))) continue;
    int digit;
    if (ch >= '0' && ch <= '9')
      digit = ch - '0';
    else if (ch >= 'a' && ch <= 'f')
      digit = ch - 'a' + 10;
    else if (ch >= 'A' && ch <= 'F')
      digit = ch - 'A' + 10;
    else
      return false;
    if (high < 0) {
      high = digit;
    } else {
      bytes->push_back(static_cast<uint8_t>(high * 16 + digit));
      high = -1;
    }
  }
  return high < 0;
}

bool IsFramePattern(const std::string& text) {
  int conversions = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (i + 1 < text.size() && text[i + 1] == '%') {
      ++i;
      continue;
    }
    size_t j = i + 1;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])) && j - i <= 3) ++j;
    if (j >= text.size() || text[j] != 'd') return false;
    ++conversions;
    i = j;
  }
  return conversions == 1;
}

std::string FormatFramePattern(const std::string& pattern, int32_t index) {
  char buffer[4096];
  std::snprintf(buffer, sizeof buffer, pattern.c_str(), index);
  return buffer;
}

}  // namespace zk
