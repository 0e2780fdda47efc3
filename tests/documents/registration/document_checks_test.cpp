// The independent checks the document tests rely on must themselves be right.
#include <gtest/gtest.h>

#include "support/document_checks.h"
#include "support/paths.h"

namespace voske::support {
namespace {

TEST(DocumentChecks, Md5OfKnownTexts) {
  EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(DocumentChecks, LeavesAndHashOfALatin1Document) {
  ScratchDir dir;
  const std::string body =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n<r><a>123456</a><b><c>S\xE3o</c><d/></b>"
      "<oxr:epilogo><oxr:hash>x</oxr:hash></oxr:epilogo></r>";
  std::ofstream(dir / "d.xml", std::ios::binary) << body;
  auto doc = LoadSavedDocument(dir / "d.xml");
  ASSERT_TRUE(doc);
  EXPECT_EQ(LeafValues(doc->Root()), (std::vector<Leaf>{{"a", "123456"}, {"c", "S\xE3o"}, {"d", ""}, {"oxr:hash", "x"}}));
  EXPECT_EQ(RecomputeContentHash(*doc), Md5Hex("123456S\xE3o"));
  EXPECT_EQ(Outline(doc->Root().child("b")), "b\n  c = S\xC3\xA3o\n  d =\n");
  EXPECT_FALSE(HashMatchesContent(*doc));
}

}  // namespace
}  // namespace voske::support
