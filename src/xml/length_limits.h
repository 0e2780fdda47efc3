#pragma once
// LengthLimits: the maximum-length check of a value against the schema
// tables. Values are never cut: a value too long for its element stops the
// document with a message naming the field and the limit.
#include "text/text.h"

namespace voske {

class LengthLimits {
 public:
  // The value to write, unchanged; EMaxLengthError when the element's type
  // bounds the length and the value exceeds it.
  Text ValidateLength(const Text& elementName, const Text& value) const;
  // Removes the first "oxr:" wherever it stands.
  static Text StripPrefix(const Text& name);
  // The length limit of an element ("oxr:" prefix optional), or -1 when the
  // tables bound it by none.
  static long MaxLength(const Text& elementName);

 private:
  static long LookUpMaxLength(const Text& elementName);
};

}  // namespace voske
