#pragma once
// The registry-shaped layer through which the installed Java runtime is
// found. It answers the keys and string values a Java installation has always
// been registered under ("Software\JavaSoft\..."), whatever the platform keeps
// underneath; tests answer with their own keys and values.
#include <map>
#include <string>
#include <vector>

#include "text/text.h"

namespace voske {

inline constexpr char kJavaSoftKey[] = "Software\\JavaSoft";
inline constexpr char kJreKey[] = "Software\\JavaSoft\\Java Runtime Environment";
inline constexpr char kJdkKey[] = "Software\\JavaSoft\\Java Development Kit";

class JavaRegistry {
 public:
  virtual ~JavaRegistry() = default;
  virtual bool KeyExists(const std::string& key) const = 0;
  // A string value of a key; an absent key or value reads as empty text.
  virtual std::string ReadString(const std::string& key, const std::string& value) const = 0;
  // The names of a key's direct subkeys; empty when the key is absent.
  virtual std::vector<std::string> Subkeys(const std::string& key) const = 0;
};

// The system's own registry (local machine, 64-bit view); on systems without
// one, no key exists.
const JavaRegistry& SystemJavaRegistry();

// Keys and values held in memory. Key names compare without regard to the
// case of A-Z, as registry keys do.
class MemoryRegistry : public JavaRegistry {
 public:
  void AddKey(const std::string& key);
  // Adds the key when it is not there yet.
  void SetString(const std::string& key, const std::string& value, const std::string& data);

  bool KeyExists(const std::string& key) const override;
  std::string ReadString(const std::string& key, const std::string& value) const override;
  // Subkey names come back in lower case, as the keys are held.
  std::vector<std::string> Subkeys(const std::string& key) const override;

 private:
  std::map<std::string, std::map<std::string, std::string>> keys_;
};

}  // namespace voske
