#include "platform/registry.h"

#include "platform/windows/wide.h"

namespace voske::platform {

namespace {

// An open key of the local machine, read-only, in the 64-bit view: a 64-bit
// Java registers there, and so does every Java a 64-bit program can load.
class Key {
 public:
  explicit Key(const std::string& path) {
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, windows::Wide(path).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key_) !=
        ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~Key() {
    if (key_) ::RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool RegistryKeyExists(const std::string& key) { return Key(key).get() != nullptr; }

std::string RegistryString(const std::string& key, const std::string& value) {
  const Key k(key);
  if (!k.get()) return {};
  const std::wstring name = windows::Wide(value);
  DWORD type = 0, bytes = 0;
  if (::RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
  DWORD room = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &room) !=
      ERROR_SUCCESS)
    return {};
  data.resize(room / sizeof(wchar_t));
  while (!data.empty() && data.back() == L'\0') data.pop_back();  // stored with or without its terminator
  return windows::Utf8(data);
}

std::vector<std::string> RegistrySubkeys(const std::string& key) {
  std::vector<std::string> names;
  const Key k(key);
  if (!k.get()) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name / sizeof name[0];
    if (::RegEnumKeyExW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(windows::Utf8(name, length));
  }
  return names;
}

}  // namespace voske::platform
