#include "transmission/java_registry.h"

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

}  // namespace voske
