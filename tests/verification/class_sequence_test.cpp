// The in-line matcher of class sequences must answer as the regular
// expression library does, on the regulator's own patterns and on the
// shapes it takes or leaves to the library.
#include <gtest/gtest.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <random>
#include <string>
#include <vector>

#include "verification/class_sequence.h"
#include "verification/schema_pattern.h"
#include "xml/schema_tables.h"

namespace voske {
namespace {

// The library's answer, through the same translation the verifier uses.
bool LibraryMatches(const std::string& pattern, const std::string& value) {
  const std::string translated = *TranslatePattern(pattern);
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()), translated.size(),
                                   PCRE2_ANCHORED | PCRE2_NO_AUTO_CAPTURE, &error, &offset, nullptr);
  pcre2_match_data* data = pcre2_match_data_create(1, nullptr);
  const int rc = pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(value.data()), value.size(), 0, 0, data, nullptr);
  pcre2_match_data_free(data);
  pcre2_code_free(code);
  return rc >= 0;
}

// Every string of up to three characters of an alphabet that straddles the
// patterns' classes and their edges, runs of each character up to past the
// longest count, and random strings.
std::vector<std::string> Inputs() {
  const std::string alphabet = "0159AZaz-_./ @^[]\\\n\xC1\xB7";
  std::vector<std::string> inputs = {""};
  for (std::size_t from = 0, to = 1, length = 1; length <= 3; ++length) {
    for (std::size_t i = from; i < to; ++i)
      for (char c : alphabet) inputs.push_back(inputs[i] + c);
    from = to;
    to = inputs.size();
  }
  for (char c : alphabet)
    for (std::size_t n = 4; n <= 52; ++n) {
      inputs.push_back(std::string(n, c));
      inputs.push_back("1" + std::string(n, c));
    }
  std::mt19937 random(2026);
  for (int i = 0; i < 3000; ++i) {
    std::string s(random() % 20, ' ');
    for (char& c : s) c = alphabet[random() % alphabet.size()];
    inputs.push_back(s);
  }
  return inputs;
}

TEST(ClassSequences, AnswerAsTheLibraryOnEveryStoredPatternAndShape) {
  std::vector<std::string> patterns = {
      "[^0-9]{2}", "a?b+", "[a-c]{2,}x", "\\-[\\n\\t]", "[1][0-9]*", "[\\[\\]\\\\^]{1,3}", "[/-_]{0,2}z",
  };
  for (const schema::SimpleType& t : schema::SimpleTypes())
    if (SchemaPattern::Compile(t.pattern)) patterns.emplace_back(t.pattern);
  const std::vector<std::string> inputs = Inputs();
  int read = 0;
  for (const std::string& pattern : patterns) {
    const std::optional<ClassSequence> sequence = ClassSequence::Parse(pattern);
    if (!sequence) continue;
    ++read;
    for (const std::string& value : inputs)
      ASSERT_EQ(sequence->Matches(value), LibraryMatches(pattern, value)) << pattern << " on \"" << value << '"';
  }
  // The shapes above and 18 stored patterns (account codes, CEP, CNPJ...).
  EXPECT_EQ(read, 25);
}

TEST(ClassSequences, ShapesThatNeedOtherSplitsOrOtherSyntaxAreLeftToTheLibrary) {
  for (const char* pattern : {"[A-Z]*[0-9]*[.-_]*", "[0-9]?[0-9]", "[-a]", "[a-]", "[]a]", "[a-z-[aeiou]]", "a|b",
                              ".+", "\\d+", "\\i\\c*", "a{,3}", "a{3,2}", "a**", "(ab)", "[b-a]", "[a", "a{2"})
    EXPECT_FALSE(ClassSequence::Parse(pattern)) << pattern;
  for (const char* type : {"st_contaAtivo", "st_contaPassivo", "st_contaReceita", "st_contaDespesa", "st_CEP"})
    EXPECT_TRUE(ClassSequence::Parse(schema::FindSimpleType(type)->pattern)) << type;
}

}  // namespace
}  // namespace voske
