// The whole registration document of the sample operator, element by
// element, and the envelope around it.
#include <gtest/gtest.h>

#include "registration_run.h"
#include "sample_outline.h"

namespace voske::support {
namespace {

TEST(SampleRegistrationDocument, BodyHoldsEverySectionOfTheSampleOperator) {
  auto run = RunCadastralOk(sample::MakeSampleWorkbook());
  ASSERT_TRUE(run->document);
  EXPECT_EQ(Outline(run->Kind()), kSampleBody);
}

TEST(SampleRegistrationDocument, EnvelopeIdentifiesOperatorAndClosesWithContentHash) {
  auto run = RunCadastralOk(sample::MakeSampleWorkbook());
  ASSERT_TRUE(run->document);
  const SavedDocument& doc = *run->document;

  EXPECT_EQ(ChildNames(doc.Root()),
            (std::vector<std::string>{"oxr:identificador", "oxr:medicinaGrupo", "oxr:epilogo"}));
  EXPECT_EQ(std::string(doc.Root().name()), "oxr:voskeCadastral");
  EXPECT_EQ(doc.ValueAt("oxr:identificador/oxr:registroOXR"), "418723");
  EXPECT_EQ(doc.ValueAt("oxr:identificador/oxr:razaoSocial"), Ansi("Serra Azul Assistência Médica Ltda."));
  EXPECT_EQ(doc.ValueAt("oxr:identificador/oxr:CNPJ"), "24681357000140");
  EXPECT_EQ(doc.ValueAt("oxr:identificador/oxr:periodo"), "2024-07-01");
  EXPECT_EQ(doc.ValueAt("oxr:identificador/oxr:transacao"), "ENVIO_VOSKE_CADASTRAL");
  EXPECT_EQ(doc.ValueAt("oxr:identificador/oxr:hashPwd"), Md5Hex("SENHA DE TESTE"));
  EXPECT_EQ(doc.ValueAt("oxr:identificador/oxr:apTrans"), "AR33");

  // Accented values travel as single ISO-8859-1 bytes.
  EXPECT_NE(doc.bytes.find(Ansi("Serra Azul Saúde")), std::string::npos);
  EXPECT_TRUE(doc.bytes.starts_with("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n<oxr:voskeCadastral "));
}

TEST(SampleRegistrationDocument, SameWorkbookGivesSameContentHash) {
  auto first = RunCadastralOk(sample::MakeSampleWorkbook());
  auto second = RunCadastralOk(sample::MakeSampleWorkbook());
  ASSERT_TRUE(first->document && second->document);
  EXPECT_EQ(first->document->ValueAt("oxr:epilogo/oxr:hash"), second->document->ValueAt("oxr:epilogo/oxr:hash"));
}

}  // namespace
}  // namespace voske::support
