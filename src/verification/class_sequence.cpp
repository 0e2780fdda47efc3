#include "verification/class_sequence.h"

#include <string_view>

namespace voske {

namespace {

// Counts beyond this are not in the regulator's patterns; leaving them to the
// library keeps a typed count from being read as something else.
constexpr std::size_t kMostCount = 1000;

// A pattern read byte by byte; any byte it cannot place ends the reading with
// "not of that shape".
class Reader {
 public:
  explicit Reader(TextView p) : p_(p) {}
  bool AtEnd() const { return i_ == p_.size(); }
  char Peek(std::size_t ahead = 0) const { return i_ + ahead < p_.size() ? p_[i_ + ahead] : '\0'; }
  bool HasAhead(std::size_t ahead) const { return i_ + ahead < p_.size(); }
  char Take() { return p_[i_++]; }

 private:
  TextView p_;
  std::size_t i_ = 0;
};

// The character of a single-character escape ("\-", "\n"), or nothing for
// the escapes that stand for a set ("\d", "\i").
std::optional<unsigned char> Escaped(char e) {
  switch (e) {
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    default:
      if (std::string_view("\\|.-^?*+{}()[]").find(e) != std::string_view::npos) return static_cast<unsigned char>(e);
      return std::nullopt;
  }
}

// One character of a class: a plain byte or a single-character escape. A
// "[" (a nested class or a subtraction) or an unescaped "-" (where the
// languages disagree on what it means) is not taken.
std::optional<unsigned char> ClassChar(Reader& r) {
  if (r.AtEnd()) return std::nullopt;
  const char c = r.Take();
  if (c == '\\') return r.AtEnd() ? std::nullopt : Escaped(r.Take());
  if (c == '[' || c == '-') return std::nullopt;
  return static_cast<unsigned char>(c);
}

std::optional<std::size_t> Number(Reader& r) {
  std::size_t n = 0;
  bool any = false;
  while (r.Peek() >= '0' && r.Peek() <= '9') {
    n = n * 10 + static_cast<std::size_t>(r.Take() - '0');
    if (n > kMostCount) return std::nullopt;
    any = true;
  }
  return any ? std::optional<std::size_t>(n) : std::nullopt;
}

}  // namespace

std::optional<ClassSequence> ClassSequence::Parse(TextView pattern) {
  ClassSequence sequence;
  Reader r(pattern);
  while (!r.AtEnd()) {
    Step step;
    const char c = r.Take();
    if (c == '[') {
      const bool negated = r.Peek() == '^';
      if (negated) r.Take();
      if (r.Peek() == ']' || r.Peek() == '-') return std::nullopt;  // a literal "]" or "-" first
      while (r.Peek() != ']') {
        const std::optional<unsigned char> from = ClassChar(r);
        if (!from) return std::nullopt;
        unsigned char to = *from;
        if (r.Peek() == '-' && r.HasAhead(1) && r.Peek(1) != ']' && r.Peek(1) != '[') {
          r.Take();
          const std::optional<unsigned char> end = ClassChar(r);
          if (!end || *end < *from) return std::nullopt;
          to = *end;
        }
        for (unsigned v = *from; v <= to; ++v) step.chars[v] = true;
      }
      r.Take();  // the "]"
      if (negated)
        for (bool& in : step.chars) in = !in;
    } else if (c == '\\') {
      const std::optional<unsigned char> e = r.AtEnd() ? std::nullopt : Escaped(r.Take());
      if (!e) return std::nullopt;
      step.chars[*e] = true;
    } else if (std::string_view(".?*+{}()|^$[]").find(c) != std::string_view::npos) {
      return std::nullopt;
    } else {
      step.chars[static_cast<unsigned char>(c)] = true;
    }
    // Its count.
    if (r.Peek() == '*' || r.Peek() == '+' || r.Peek() == '?') {
      const char q = r.Take();
      step.least = q == '+' ? 1 : 0;
      step.most = q == '?' ? 1 : kUnbounded;
    } else if (r.Peek() == '{') {
      r.Take();
      const std::optional<std::size_t> least = Number(r);
      if (!least) return std::nullopt;
      std::optional<std::size_t> most = least;
      if (r.Peek() == ',') {
        r.Take();
        most = r.Peek() == '}' ? std::optional<std::size_t>(kUnbounded) : Number(r);
        if (!most || *most < *least) return std::nullopt;
      }
      if (r.AtEnd() || r.Take() != '}') return std::nullopt;
      step.least = *least;
      step.most = *most;
    }
    sequence.steps_.push_back(step);
  }
  if (sequence.steps_.empty()) return std::nullopt;
  // Left to right, as many as each class will have, is the only split only
  // where a class that may stop early shares nothing with the classes after.
  for (std::size_t i = 0; i < sequence.steps_.size(); ++i) {
    const Step& early = sequence.steps_[i];
    if (early.least == early.most) continue;
    for (std::size_t j = i + 1; j < sequence.steps_.size(); ++j)
      for (std::size_t c = 0; c < early.chars.size(); ++c)
        if (early.chars[c] && sequence.steps_[j].chars[c]) return std::nullopt;
  }
  return sequence;
}

}  // namespace voske
