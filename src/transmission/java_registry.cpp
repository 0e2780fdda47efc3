#include "transmission/java_registry.h"

#include "platform/registry.h"

namespace voske {

void MemoryRegistry::AddKey(const std::string& key) { keys_[LowerAscii(key)]; }

void MemoryRegistry::SetString(const std::string& key, const std::string& value, const std::string& data) {
  keys_[LowerAscii(key)][LowerAscii(value)] = data;
}

bool MemoryRegistry::KeyExists(const std::string& key) const { return keys_.count(LowerAscii(key)) != 0; }

std::string MemoryRegistry::ReadString(const std::string& key, const std::string& value) const {
  const auto k = keys_.find(LowerAscii(key));
  if (k == keys_.end()) return {};
  const auto v = k->second.find(LowerAscii(value));
  return v == k->second.end() ? std::string() : v->second;
}

std::vector<std::string> MemoryRegistry::Subkeys(const std::string& key) const {
  const std::string prefix = LowerAscii(key) + "\\";
  std::vector<std::string> names;
  for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.starts_with(prefix); ++it) {
    const std::string rest = it->first.substr(prefix.size());
    if (!rest.empty() && rest.find('\\') == std::string::npos) names.push_back(rest);
  }
  return names;
}

namespace {

class SystemRegistry : public JavaRegistry {
 public:
  bool KeyExists(const std::string& key) const override { return platform::RegistryKeyExists(key); }
  std::string ReadString(const std::string& key, const std::string& value) const override {
    return platform::RegistryString(key, value);
  }
  std::vector<std::string> Subkeys(const std::string& key) const override { return platform::RegistrySubkeys(key); }
};

}  // namespace

const JavaRegistry& SystemJavaRegistry() {
  static const SystemRegistry registry;
  return registry;
}

}  // namespace voske
