#pragma once
// A simple type's pattern facet, compiled once, matched against whole values.
// Schema patterns are implicitly anchored at both ends and have their own
// syntax ("^" and "$" are plain characters, "." excludes line ends, "\i" and
// "\c" are name characters); TranslatePattern turns one into the regular
// expression library's syntax, and SchemaPattern matches with it, or with a
// loop over the value's bytes where the pattern is a plain sequence of
// classes (class_sequence.h).
#include <memory>
#include <optional>
#include <string>

#include "text/text.h"
#include "verification/class_sequence.h"

namespace voske {

// The pattern field of the schema tables holds at most this many characters.
// A pattern that fills the field may have been cut there (st_nome60's was:
// its character class is never closed), and a cut pattern says nothing
// about the values the schema accepts, so such a pattern is not checked.
inline constexpr std::size_t kPatternFieldWidth = 32;

// The library form of a schema pattern, anchored at both ends; nothing when
// the pattern uses a construct with no equivalent here (class subtraction).
std::optional<std::string> TranslatePattern(TextView schemaPattern);

class SchemaPattern {
 public:
  // Nothing when the pattern is cut, cannot be translated or does not
  // compile: such a pattern is not checked.
  static std::optional<SchemaPattern> Compile(TextView schemaPattern);

  // True when the whole value matches. Values are Windows-1252 bytes, as are
  // the patterns.
  bool Matches(TextView value) const;
  // The pattern as a sequence of classes, or null when it is not one: a
  // caller matching millions of values may match in line with it.
  const ClassSequence* Sequence() const;

 private:
  struct Compiled;
  explicit SchemaPattern(std::shared_ptr<const Compiled> compiled) : compiled_(std::move(compiled)) {}
  std::shared_ptr<const Compiled> compiled_;
};

}  // namespace voske
