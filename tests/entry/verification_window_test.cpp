// What the window says about verification findings: after a generation, in
// the success message and its "Ver mais..." details; before a sending, as a
// question the user answers.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "entry/main_window_fixture.h"
#include "sample_workbook.h"
#include "support/files.h"
#include "support/paths.h"

namespace voske {
namespace {

using support::Widget;

using support::MainWindowTest;
using support::MessageWatch;
using support::PasswordAnswer;

class WindowVerificationTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    sample::Workbook wb = sample::MakeSampleWorkbook();
    wb["Dados Cadastrais"].Set("B10", "regulatorio.serraazulsaude.com.br");
    wb["Administradores"].Set("A5", "529.982.247-26");
    sample::WriteXlsx(wb, (scratch / "planilha.xlsx").string());
    std::filesystem::create_directories(scratch / "destino");
  }

  // Generates the registration document of the faulty workbook.
  QList<support::SeenMessage> Generate(TForm_VOSKE_XML& w) {
    Widget<QComboBox>(w, "ComboBox1")->setCurrentIndex(0);
    Widget<QLineEdit>(w, "FilenameEdit1")->setText(QString::fromStdString((scratch / "planilha.xlsx").string()));
    Widget<QLineEdit>(w, "DirectoryEdit1")->setText(QString::fromStdString((scratch / "destino").string()));
    PasswordAnswer answer;
    answer.password = QStringLiteral("senha");
    MessageWatch watch;
    Press();
    return watch.seen;
  }

  // Sends `file` in send mode, answering the question with `reply`.
  QList<support::SeenMessage> Send(TForm_VOSKE_XML& w, const std::string& file, const QString& reply) {
    Widget<QComboBox>(w, "ComboBox2")->setCurrentIndex(1);
    Widget<QLineEdit>(w, "fneArquivoXML")->setText(QString::fromStdString(file));
    PasswordAnswer answer;
    answer.password = QStringLiteral("senha");
    MessageWatch watch;
    watch.answer = reply;
    Press();
    return watch.seen;
  }

  support::ScratchDir scratch;
};

TEST_F(WindowVerificationTest, SuccessMessageCountsTheFindingsAndListsThemUnderVerMais) {
  TForm_VOSKE_XML& w = Window(StandardGenerationServices());
  const QList<support::SeenMessage> seen = Generate(w);
  ASSERT_EQ(seen.size(), 1);
  EXPECT_EQ(seen[0].caption, QStringLiteral("Informação"));
  EXPECT_TRUE(seen[0].text.startsWith(QStringLiteral("XML gerado com sucesso.")));
  EXPECT_TRUE(seen[0].text.contains(QStringLiteral("2 avisos de verificação"))) << seen[0].text.toStdString();
  EXPECT_EQ(seen[0].details,
            (QStringList{QStringLiteral("Aviso: Dados Cadastrais!B10: oxr:eMail \"regulatorio.serraazulsaude.com.br\": "
                                        "o e-mail deve ter a forma nome@domínio"),
                         QStringLiteral("Aviso: Administradores!A5: oxr:CPF \"52998224726\": o CPF é inválido: os "
                                        "dígitos verificadores não conferem")}));
  // The document is generated all the same.
  EXPECT_EQ(support::FilesIn(scratch / "destino").size(), 1u);
  EXPECT_FALSE(form->Presenter().GenerationFailed());
}

TEST_F(WindowVerificationTest, ACleanDocumentKeepsThePlainMessage) {
  sample::WriteXlsx(sample::MakeSampleWorkbook(), (scratch / "planilha.xlsx").string());
  TForm_VOSKE_XML& w = Window(StandardGenerationServices());
  const QList<support::SeenMessage> seen = Generate(w);
  ASSERT_EQ(seen.size(), 1);
  EXPECT_EQ(seen[0].text, QStringLiteral("XML gerado com sucesso."));
  EXPECT_TRUE(seen[0].details.isEmpty());
}

TEST_F(WindowVerificationTest, SendingADocumentWithFindingsAsksFirst) {
  TForm_VOSKE_XML& w = Window(StandardGenerationServices());
  ASSERT_EQ(Generate(w).size(), 1);
  const std::string document = form->Presenter().OutputPath();

  // "Não": nothing is sent.
  QList<support::SeenMessage> seen = Send(w, document, QStringLiteral("&Não"));
  ASSERT_EQ(seen.size(), 1);
  EXPECT_EQ(seen[0].caption, QStringLiteral("Confirmação"));
  EXPECT_TRUE(seen[0].text.contains(QStringLiteral("2 avisos de verificação"))) << seen[0].text.toStdString();
  EXPECT_TRUE(seen[0].text.contains(QStringLiteral("Enviar mesmo assim?")));
  EXPECT_EQ(seen[0].buttons, (QStringList{QStringLiteral("&Sim"), QStringLiteral("&Não")}));
  // Nothing says it is sending while the question waits for an answer.
  EXPECT_FALSE(seen[0].status.contains(QStringLiteral("Enviando"))) << seen[0].status.toStdString();
  ASSERT_EQ(seen[0].details.size(), 2);
  // Read back from the file, the findings name element paths.
  EXPECT_TRUE(seen[0].details[0].contains(QStringLiteral("/oxr:cadastro/oxr:eMail \"regulatorio."))) 
      << seen[0].details[0].toStdString();
  EXPECT_TRUE(transmission.sent.empty());
  EXPECT_EQ(Status(), QStringLiteral("Status:"));  // ready for the next press
  EXPECT_TRUE(Widget<QToolButton>(*form, "B_Gerar_Arquivo")->isEnabled());

  // "Sim": the document goes.
  seen = Send(w, document, QStringLiteral("&Sim"));
  ASSERT_EQ(seen.size(), 1);
  ASSERT_EQ(transmission.sent.size(), 1u);
  EXPECT_EQ(transmission.sent[0].xmlPath, document);
}

TEST_F(WindowVerificationTest, SendingACleanDocumentAsksNothing) {
  sample::WriteXlsx(sample::MakeSampleWorkbook(), (scratch / "planilha.xlsx").string());
  TForm_VOSKE_XML& w = Window(StandardGenerationServices());
  ASSERT_EQ(Generate(w).size(), 1);
  const QList<support::SeenMessage> seen = Send(w, form->Presenter().OutputPath(), QString());
  EXPECT_TRUE(seen.isEmpty());
  EXPECT_EQ(transmission.sent.size(), 1u);
}

}  // namespace
}  // namespace voske
