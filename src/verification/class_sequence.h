#pragma once
// The shape of pattern the regulator's coded types mostly have, matched
// without the regular expression library: a sequence of character classes
// (or single characters), each repeated between a least and a most number
// of times: "[1][0-9]*" (an asset account), "[0-9]{8}" (a CEP),
// "[\-0-9 ]{0,12}" (a telephone number). The account code of each line of a
// trial balance of a million lines is matched so, in one loop over its bytes.
//
// Only a sequence that taking, from left to right, as many characters as
// each class will have matches exactly is read so: every class that may stop
// early shares no character with a class after it. "[A-Z]*[0-9]*[.-_]*"
// (whose last class holds the digits and the capitals) would need other
// splits tried, and is left to the library, as is anything beyond classes,
// plain characters and counts.
#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

#include "text/text.h"

namespace voske {

class ClassSequence {
 public:
  // Nothing when the schema pattern is not of that shape.
  static std::optional<ClassSequence> Parse(TextView schemaPattern);

  // True when the whole value matches. Values are Windows-1252 bytes.
  bool Matches(TextView value) const {
    const auto* p = reinterpret_cast<const unsigned char*>(value.data());
    const auto* const end = p + value.size();
    for (const Step& step : steps_) {
      const auto* const start = p;
      const auto* const stop = static_cast<std::size_t>(end - p) > step.most ? p + step.most : end;
      while (p != stop && step.chars[*p]) ++p;
      if (static_cast<std::size_t>(p - start) < step.least) return false;
    }
    return p == end;
  }

 private:
  static constexpr std::size_t kUnbounded = std::numeric_limits<std::size_t>::max();
  struct Step {
    std::array<bool, 256> chars{};  // by byte value: a load a character
    std::size_t least = 1;
    std::size_t most = 1;
  };
  std::vector<Step> steps_;
};

}  // namespace voske
