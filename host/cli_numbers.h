// Number parsing for the command line: decimal or 0x hex, the whole text or nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zk {

bool ParseInt32(const std::string& text, int32_t* value);
bool ParseUint32(const std::string& text, uint32_t* value);
bool ParseFloat(const std::string& text, float* value);
// Splits "a,b,c" into parts (empty parts are kept, so "1,,2" fails to parse later).
std::vector<std::string> SplitCommas(const std::string& text);
// Decodes hexadecimal bytes ("0A ff" with optional spaces); false on odd or bad digits.
bool ParseHexBytes(const std::string& text, std::vector<uint8_t>* bytes);
// A printf pattern with exactly one integer conversion (%d, %03d ...), for frame files.
bool IsFramePattern(const std::string& text);
std::string FormatFramePattern(const std::string& pattern, int32_t index);

}  // namespace zk
