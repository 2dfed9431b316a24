// Command-line settings on any text: names, values, hex blocks and frame patterns.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli_numbers.h"
#include "module_registry.h"

namespace {
const char* const kModules[] = {"twister",   "cuboids2", "logo",    "marbles", "chars",
                                "firestorm", "bloom",    "airport", "rays"};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  int32_t i32;
  uint32_t u32;
  float f;
  std::vector<uint8_t> bytes;
  zk::ParseInt32(text, &i32);
  zk::ParseUint32(text, &u32);
  zk::ParseFloat(text, &f);
  zk::ParseHexBytes(text, &bytes);
  if (zk::IsFramePattern(text) && text.size() < 1000) zk::FormatFramePattern(text, 12345);
  const zk::SettingsSchema* schema = zk::FindSchema(kModules[data[0] % 9]);
  if (schema == nullptr || schema->fieldCount == 0) return 0;
  std::vector<uint8_t> block(schema->blockSize);
  schema->writeDefaults(block.data());
  const zk::SettingField& field = schema->fields[data[0] / 9 % schema->fieldCount];
  std::string error;
  if (zk::WriteSetting(field, text, block.data(), &error)) zk::FormatSetting(field, block.data());
  zk::FindPreset(*schema, text);
  return 0;
}
