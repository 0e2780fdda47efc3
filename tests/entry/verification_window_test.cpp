// What the window says about verification findings: after a generation, in
// the success message and its "Ver mais..." details; before a sending, as a
// question the user answers.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <functional>
#include <string>

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
  QList<support::SeenMessage> Generate(TForm_VOSKE_XML& w, std::function<void(TMessageForm&)> onMessage = {}) {
    Widget<QComboBox>(w, "ComboBox1")->setCurrentIndex(0);
    Widget<QLineEdit>(w, "FilenameEdit1")->setText(QString::fromStdString((scratch / "planilha.xlsx").string()));
    Widget<QLineEdit>(w, "DirectoryEdit1")->setText(QString::fromStdString((scratch / "destino").string()));
    PasswordAnswer answer;
    answer.password = QStringLiteral("senha");
    MessageWatch watch;
    watch.onFirst = std::move(onMessage);
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

TEST_F(WindowVerificationTest, SuccessShowsTheFindingsByWorksheetWithTheWarningIconAndSavesThem) {
  TForm_VOSKE_XML& w = Window(StandardGenerationServices());
  const std::filesystem::path csv = scratch / "meus avisos.csv";
  QString offered;
  const QList<support::SeenMessage> seen = Generate(w, [&](TMessageForm& message) {
    ASSERT_NE(message.moreLink, nullptr);
    // "Ver mais..." on a row of its own, beside the button, clear of the edge.
    auto* save = message.findChild<QPushButton*>(QStringLiteral("SalvarAvisos"));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), QStringLiteral("Salvar avisos..."));
    EXPECT_EQ(message.moreLink->geometry().center().y(), save->geometry().center().y());
    EXPECT_GT(save->geometry().top(), message.buttons.front()->geometry().bottom());
    EXPECT_LT(save->geometry().bottom(), message.height() - 1);
    support::WhenModal([&](QWidget* dialog) {
      auto* picker = qobject_cast<QFileDialog*>(dialog);
      ASSERT_NE(picker, nullptr);
      offered = picker->selectedFiles().value(0);
      // Typed as a user would, and confirmed with Enter.
      auto* name = picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(name, nullptr);
      name->setText(QString::fromStdString(csv.string()));
      QTest::keyClick(name, Qt::Key_Return);
    });
    MessageWatch saying;  // a watch of its own: the outer one is busy here
    saying.leave = &message;    save->click();
    ASSERT_EQ(saying.seen.size(), 1);
    EXPECT_EQ(saying.seen[0].text,
              QStringLiteral("Os avisos foram gravados em: ") + QString::fromStdString(csv.string()));
  });
  ASSERT_EQ(seen.size(), 1);
  EXPECT_EQ(seen[0].caption, QStringLiteral("Informação"));
  EXPECT_EQ(seen[0].iconKind, 2);  // the warning triangle
  EXPECT_TRUE(seen[0].text.startsWith(QStringLiteral("XML gerado com sucesso.")));
  EXPECT_TRUE(seen[0].text.contains(QStringLiteral("2 avisos de verificação"))) << seen[0].text.toStdString();
  EXPECT_EQ(seen[0].details,
            (QStringList{QStringLiteral("Dados Cadastrais"),
                         QStringLiteral("    B10: oxr:eMail \"regulatorio.serraazulsaude.com.br\": "
                                        "o e-mail deve ter a forma nome@domínio"),
                         QStringLiteral("Administradores"),
                         QStringLiteral("    A5: oxr:CPF \"52998224726\": o CPF é inválido: os "
                                        "dígitos verificadores não conferem")}));
  // The same file as --avisos writes; first offered beside the document.
  const std::string kept = support::FileContents(csv);
  EXPECT_EQ(kept.rfind("\xEF\xBB\xBFPlanilha;Célula;Elemento;Valor;Motivo;Regra técnica\r\n", 0), 0u);
  EXPECT_NE(kept.find("Dados Cadastrais;B10;oxr:eMail;"), std::string::npos) << kept;
  EXPECT_NE(kept.find("Administradores;A5;oxr:CPF;"), std::string::npos) << kept;
  const std::string document = form->Presenter().OutputPath();
  EXPECT_EQ(offered.toStdString(), document.substr(0, document.size() - 4) + "_avisos.csv");
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
  EXPECT_EQ(seen[0].iconKind, 2);
  // Read back from the file, the findings name element paths, each under
  // the element it stands in.
  ASSERT_EQ(seen[0].details.size(), 4);
  EXPECT_TRUE(seen[0].details[0].endsWith(QStringLiteral("/oxr:cadastro"))) << seen[0].details[0].toStdString();
  EXPECT_TRUE(seen[0].details[1].contains(QStringLiteral("/oxr:cadastro/oxr:eMail \"regulatorio.")))
      << seen[0].details[1].toStdString();
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
