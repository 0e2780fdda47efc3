#include "verification/schema_pattern.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace voske {

namespace {

// Name characters of a schema pattern's "\i" (first character of a name) and
// "\c" (any character of a name), within Windows-1252: the ASCII ones and
// the Latin letters.
constexpr const char* kInitialNameChars = "_:A-Za-z\\xC0-\\xD6\\xD8-\\xF6\\xF8-\\xFF";
constexpr const char* kNameChars = "\\-._:A-Za-z0-9\\xB7\\xC0-\\xD6\\xD8-\\xF6\\xF8-\\xFF";

}  // namespace

std::optional<std::string> TranslatePattern(TextView p) {
  std::string out = "(?:";
  bool inClass = false;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const char c = p[i];
    if (c == '\\' && i + 1 < p.size()) {
      const char e = p[++i];
      if (e == 'i' || e == 'c') {
        const char* set = e == 'i' ? kInitialNameChars : kNameChars;
        out += inClass ? std::string(set) : "[" + std::string(set) + "]";
      } else if (e == 'I' || e == 'C') {
        if (inClass) return std::nullopt;  // a negated set inside a class has no plain form
        out += "[^" + std::string(e == 'I' ? kInitialNameChars : kNameChars) + "]";
      } else {
        out += '\\';
        out += e;
      }
      continue;
    }
    if (inClass) {
      // "-[" inside a class starts a subtraction, which the library lacks.
      if (c == '-' && i + 1 < p.size() && p[i + 1] == '[') return std::nullopt;
      if (c == ']') inClass = false;
      if (c == '[') {
        out += "\\[";
        continue;
      }
      out += c;
      continue;
    }
    switch (c) {
      case '[':
        inClass = true;
        out += c;
        // A leading "^" negates the class, as in the library; a "]" right
        // after the opening one is a plain character in the library only.
        if (i + 1 < p.size() && p[i + 1] == '^') out += p[++i];
        break;
      case '^':
      case '$':
        out += '\\';
        out += c;
        break;
      case '.':
        out += "[^\\n\\r]";
        break;
      default:
        out += c;
    }
  }
  if (inClass) return std::nullopt;
  out += ")\\z";
  return out;
}

struct SchemaPattern::Compiled {
  pcre2_code* code = nullptr;
  bool jit = false;
  std::optional<ClassSequence> sequence;
  ~Compiled() { pcre2_code_free(code); }
};

std::optional<SchemaPattern> SchemaPattern::Compile(TextView schemaPattern) {
  if (schemaPattern.empty() || schemaPattern.size() >= kPatternFieldWidth) return std::nullopt;
  const std::optional<std::string> translated = TranslatePattern(schemaPattern);
  if (!translated) return std::nullopt;
  int error = 0;
  PCRE2_SIZE offset = 0;
  auto compiled = std::make_shared<Compiled>();
  compiled->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated->data()), translated->size(),
                                 PCRE2_ANCHORED | PCRE2_NO_AUTO_CAPTURE, &error, &offset, nullptr);
  if (!compiled->code) return std::nullopt;
  // The just-in-time form makes a match cost little more than a loop over
  // the value, which counts on a trial balance of a million accounts. Where
  // it is not available the interpreter does the same work.
  compiled->jit = pcre2_jit_compile(compiled->code, PCRE2_JIT_COMPLETE) == 0;
  // Only a pattern the library compiles is read as a sequence, so both ways
  // check the same patterns.
  compiled->sequence = ClassSequence::Parse(schemaPattern);
  return SchemaPattern(std::move(compiled));
}

const ClassSequence* SchemaPattern::Sequence() const {
  return compiled_->sequence ? &*compiled_->sequence : nullptr;
}

bool SchemaPattern::Matches(TextView value) const {
  if (compiled_->sequence) return compiled_->sequence->Matches(value);
  // Match data sized for the pattern, kept per thread: a verification runs
  // on one thread, and the patterns are shared between verifications.
  struct MatchData {
    pcre2_match_data* data = pcre2_match_data_create(1, nullptr);
    ~MatchData() { pcre2_match_data_free(data); }
  };
  thread_local const MatchData match;
  const auto subject = reinterpret_cast<PCRE2_SPTR>(value.data());
  // The compiled form is entered directly: the general entry's checks of
  // options cost as much as matching a short value.
  const int rc = compiled_->jit ? pcre2_jit_match(compiled_->code, subject, value.size(), 0, 0, match.data, nullptr)
                                : pcre2_match(compiled_->code, subject, value.size(), 0, 0, match.data, nullptr);
  return rc >= 0;
}

}  // namespace voske
