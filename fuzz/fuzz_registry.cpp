// Registry hives over arbitrary bytes: parse, serialize, parse again; the second reading must
// hold the same keys and values, so its text is the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Walks every key below `key` in both hives and compares their subkey lists.
void SameTree(const kz::platform::RegistryHive& a, const kz::platform::RegistryHive& b,
              const std::string& key, int depth) {
  const auto subkeys = a.Subkeys(key);
  Check(subkeys == b.Subkeys(key));
  if (depth > 16) return;
  for (const auto& name : subkeys) {
    const std::string child = key.empty() ? name : key + "\\" + name;
    Check(a.KeyExists(child) && b.KeyExists(child));
    SameTree(a, b, child, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using kz::platform::RegistryHive;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const RegistryHive first = RegistryHive::Parse(bytes);
  const std::string text = first.Serialize();
  const RegistryHive second = RegistryHive::Parse(text);
  Check(second.Serialize() == text);
  SameTree(first, second, "", 0);

  // A value set on the parsed hive survives a round trip, whatever its bytes; a name with a line
  // break is refused.
  RegistryHive edited = first;
  const std::string value(bytes.substr(0, 64));
  const std::string name = value.substr(0, 8);
  edited.SetValue("Software\\Fuzz", name, {kz::platform::RegValue::Kind::String, value, 0});
  const auto back = RegistryHive::Parse(edited.Serialize()).GetValue("software\\fuzz", name);
  if (name.find_first_of("\r\n") == std::string::npos) {
    Check(back && back->text == value);
  } else {
    Check(!back && !edited.GetValue("Software\\Fuzz", name));
  }
  return 0;
}
