#pragma once
// Every failure the user must read is an exception that carries only its
// message, in Windows-1252, exactly as it will be shown.
#include <exception>

#include "text/text.h"

namespace voske {

class EVoske : public std::exception {
 public:
  explicit EVoske(Text message) : message_(std::move(message)) {}
  const Text& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  Text message_;
};

// A bad date, a bad number or a document rule.
class EGenerica : public EVoske {
 public:
  using EVoske::EVoske;
};

}  // namespace voske
