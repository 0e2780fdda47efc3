// The attribute count taken on a part's bytes before the parser sees them:
// exact on start tags however the bytes are split between calls, and blind
// to the "=" of texts, attribute values, comments, CDATA sections and
// processing instructions.
#include <gtest/gtest.h>

#include <string>

#include "workbook/attribute_guard.h"
#include "workbook/workbook_file.h"

namespace voske {
namespace {

std::string Attributes(int count, const char* value = "") {
  std::string s;
  for (int i = 0; i < count; ++i) s += " a" + std::to_string(i) + "=\"" + value + "\"";
  return s;
}

bool Refused(const std::string& part, std::size_t chunk) {
  AttributeGuard guard;
  try {
    for (std::size_t i = 0; i < part.size(); i += chunk) guard.Scan(part.data() + i, std::min(chunk, part.size() - i));
  } catch (const ReaderError& e) {
    return e.kind() == ReaderError::Kind::TooLarge;
  }
  return false;
}

TEST(AttributeGuard, CountsTheAttributesOfStartTagsOnly) {
  const std::string text(10000, 'x'), signs(6000, '=');
  const struct {
    std::string part;
    bool refused;
  } cases[] = {
      {"<?xml version=\"1.0\"?><r" + Attributes(1000) + "/>", false},
      {"<?xml version=\"1.0\"?><r" + Attributes(1001) + "/>", true},
      {"<r><t>" + signs + "</t><t>" + text + "</t></r>", false},
      {"<r a=\"" + signs + "\" b='" + signs + "'>" + text + "</r>", false},
      {"<r><!-- a=b > " + signs + " --><![CDATA[ a>b " + signs + " ]]><?pi " + signs + " ?></r>", false},
      {"<r><t>" + text + "</t><e" + Attributes(1001, ">") + "/></r>", true},
      {"<r><!--" + text + "--><e" + Attributes(600, "'") + "\n" + Attributes(401) + "/></r>", true},
      {"<r>" + text + "<e" + Attributes(900) + "/>" + signs + "</r>", false},
  };
  for (const auto& c : cases)
    for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, AttributeGuard::kWindow, std::size_t{65536}, c.part.size()})
      EXPECT_EQ(Refused(c.part, chunk), c.refused) << c.part.substr(0, 40) << " in chunks of " << chunk;
}

}  // namespace
}  // namespace voske
