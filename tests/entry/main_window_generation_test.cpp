// Whole generations driven from the window: the sample operator's workbook,
// the real reader and builders, a temporary destination folder.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QToolButton>

#include <fstream>
#include <string>

#include "entry/main_window_fixture.h"
#include "sample_workbook.h"
#include "support/document_checks.h"
#include "support/paths.h"

namespace voske {
namespace {

using support::Widget;

using support::MainWindowTest;
using support::MessageWatch;
using support::PasswordAnswer;

class WindowGenerationTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    sample::WriteXlsx(sample::MakeSampleWorkbook(), (scratch / "Planilha Padrão.xlsx").string());
    std::filesystem::create_directories(scratch / "destino");
  }

  // One press in generation mode for the document `kind` of ComboBox1.
  QList<support::SeenMessage> Generate(int kind) {
    TForm_VOSKE_XML& w = Window(StandardGenerationServices());
    Widget<QComboBox>(w, "ComboBox1")->setCurrentIndex(kind);
    // Quotes around the path, as a path pasted from a file manager may have.
    Widget<QLineEdit>(w, "FilenameEdit1")->setText(QStringLiteral("\"%1\"").arg(QString::fromStdString((scratch / "Planilha Padrão.xlsx").string())));
    Widget<QLineEdit>(w, "DirectoryEdit1")->setText(QString::fromStdString((scratch / "destino").string()));
    PasswordAnswer answer;
    answer.password = QStringLiteral("senha");
    MessageWatch watch;
    Press();
    EXPECT_EQ(answer.asked, 1);
    return watch.seen;
  }

  support::ScratchDir scratch;
};

TEST_F(WindowGenerationTest, RegistrationDocumentFromTheSampleWorkbook) {
  const QList<support::SeenMessage> seen = Generate(0);
  ASSERT_EQ(seen.size(), 1);
  EXPECT_EQ(seen[0].caption, QStringLiteral("Informação"));
  EXPECT_EQ(seen[0].text, QStringLiteral("XML gerado com sucesso."));

  const auto files = support::FilesIn(scratch / "destino");
  ASSERT_EQ(files.size(), 1u);  // no temporary file left beside it
  EXPECT_NE(files[0].filename().string().find("_CADASTRAL_"), std::string::npos);
  EXPECT_EQ(form->Presenter().OutputPath(), files[0].string());
  const auto saved = support::LoadSavedDocument(files[0]);
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->Root().name(), "oxr:voskeCadastral");
  EXPECT_TRUE(support::HashMatchesContent(*saved));
  // The window is ready for the next press.
  EXPECT_EQ(Status(), QStringLiteral("Status:"));
  EXPECT_TRUE(Widget<QToolButton>(*form, "B_Gerar_Arquivo")->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowGenerationTest, FinancialDocumentFromTheSampleWorkbook) {
  const QList<support::SeenMessage> seen = Generate(1);
  ASSERT_EQ(seen.size(), 1);
  EXPECT_EQ(seen[0].text, QStringLiteral("XML gerado com sucesso."));
  const auto files = support::FilesIn(scratch / "destino");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_NE(files[0].filename().string().find("_FINANCEIRO_"), std::string::npos);
  const auto saved = support::LoadSavedDocument(files[0]);
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->Root().name(), "oxr:voskeFinanc");
  EXPECT_TRUE(support::HashMatchesContent(*saved));
}

// A workbook the reader cannot read: the message names the file and says
// what to check in it, with no advice about a spreadsheet program, and no
// document is left behind.
TEST_F(WindowGenerationTest, AnUnreadableWorkbookIsNamedWithWhatToCheck) {
  const std::string path = (scratch / "Planilha Padrão.xlsx").string();
  for (int kind : {0, 1}) {
    std::ofstream(path) << "isto não é uma planilha";
    const QList<support::SeenMessage> seen = Generate(kind);
    ASSERT_EQ(seen.size(), 1) << kind;
    EXPECT_EQ(seen[0].caption, QStringLiteral("Erro"));
    const QString text = seen[0].text;
    // The load sequence's first line as it always was, then the worksheet.
    EXPECT_TRUE(text.startsWith(QStringLiteral("Não foi possível carregar o arquivo: O arquivo informado não é uma "
                                               "pasta de trabalho")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Arquivo: ") + QString::fromStdString(path))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("(.xlsx, .xlsm, .xls ou .ods)")));
    EXPECT_FALSE(text.contains(QStringLiteral("Excel"))) << text.toStdString();
    EXPECT_TRUE(support::FilesIn(scratch / "destino").empty());
  }
}

}  // namespace
}  // namespace voske
