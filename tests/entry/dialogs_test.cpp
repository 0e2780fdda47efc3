#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <optional>

#include "entry/folder_dialog.h"
#include "entry/password_dialog.h"
#include "entry/proxy_dialog.h"
#include "entry/qt_app.h"
#include "entry/window_front_end.h"
#include "text/cp1252.h"
#include "workflow/proxy_settings.h"
#include "entry/modal_watch.h"
#include "support/paths.h"

namespace voske {
namespace {

using support::Widget;

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { support::EnsureApp(); }
};

TEST_F(DialogsTest, PasswordDialogLayout) {
  TForm_Senha_OXR d;
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Senha na OXR"));
  EXPECT_EQ(d.size(), QSize(360, 131));
  EXPECT_EQ(Widget<QLineEdit>(d, "MaskEdit1")->geometry(), QRect(16, 36, 265, 21));
  EXPECT_EQ(Widget<QLineEdit>(d, "MaskEdit1")->echoMode(), QLineEdit::Password);
  EXPECT_FALSE(Widget<QCheckBox>(d, "CheckBox1")->isChecked());
  EXPECT_EQ(Widget<QCheckBox>(d, "CheckBox1")->text(), QStringLiteral("Mostrar os caracteres"));
  EXPECT_EQ(Widget<QPushButton>(d, "BitBtn3")->geometry(), QRect(39, 91, 113, 29));
  EXPECT_EQ(Widget<QPushButton>(d, "BitBtn3")->text(), QStringLiteral("OK"));
  EXPECT_EQ(Widget<QLabel>(d, "Label1")->text(), QStringLiteral("Digite sua senha junto à OXR:"));
}

TEST_F(DialogsTest, PasswordDialogRefusesOnlyAnEmptyField) {
  TForm_Senha_OXR d;
  support::MessageWatch watch;
  d.show();
  d.Confirm();
  ASSERT_EQ(watch.seen.size(), 1);
  EXPECT_EQ(watch.seen[0].caption, QStringLiteral("Erro"));
  EXPECT_EQ(watch.seen[0].text, QStringLiteral("Nehuma senha foi digitada para Confirmação."));
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.result(), 0);
  // Two blanks are a password.
  Widget<QLineEdit>(d, "MaskEdit1")->setText(QStringLiteral("  "));
  d.Confirm();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(watch.seen.size(), 1);
}

TEST_F(DialogsTest, PasswordDialogShowCharactersToggles) {
  TForm_Senha_OXR d;
  QTest::mouseClick(Widget<QCheckBox>(d, "CheckBox1"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(Widget<QLineEdit>(d, "MaskEdit1")->echoMode(), QLineEdit::Normal);
  QTest::mouseClick(Widget<QCheckBox>(d, "CheckBox1"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(Widget<QLineEdit>(d, "MaskEdit1")->echoMode(), QLineEdit::Password);
}

TEST_F(DialogsTest, PasswordDialogEscAndCloseBothEndItWithoutOk) {
  for (bool esc : {true, false}) {
    TForm_Senha_OXR d;
    support::WhenModal([&](QWidget* w) {
      Widget<QLineEdit>(*w, "MaskEdit1")->setText(QStringLiteral("digitada"));
      if (esc) QTest::keyClick(w, Qt::Key_Escape);
      else w->close();
    });
    EXPECT_EQ(d.exec(), QDialog::Rejected) << esc;
  }
}

// The dialog hands its fields to the workflow's rule, as the main window does.
struct ProxyStore {
  WindowFrontEnd messages;
  std::optional<ProxySettings> stored;
  ProxyConfirm Confirm() {
    return [this](const ProxySettings& typed) {
      if (!CheckProxySettings(typed, messages)) return false;
      stored = typed;
      return true;
    };
  }
};

TEST_F(DialogsTest, ProxyDialogChecksFieldsInOrderAndStoresThemUntrimmed) {
  ProxyStore store;
  TfrmDlgProxy d(store.Confirm());
  EXPECT_EQ(d.windowTitle(), QStringLiteral("VOSKE-XML - Proxy"));
  EXPECT_EQ(d.size(), QSize(464, 177));
  EXPECT_EQ(Widget<QLineEdit>(d, "Edit7")->echoMode(), QLineEdit::Password);
  EXPECT_EQ(Widget<QPushButton>(d, "BitBtn3")->geometry(), QRect(64, 108, 109, 33));
  support::MessageWatch watch;
  d.show();
  Widget<QLineEdit>(d, "Edit5")->setText(QStringLiteral("proxy.local"));
  d.Confirm();
  Widget<QLineEdit>(d, "Edit6")->setText(QStringLiteral("   "));  // blanks count as empty
  d.Confirm();
  Widget<QLineEdit>(d, "Edit6")->setText(QStringLiteral("abc"));  // the port is not checked for a number
  d.Confirm();
  Widget<QLineEdit>(d, "Edit8")->setText(QStringLiteral("ana"));
  d.Confirm();
  ASSERT_EQ(watch.seen.size(), 4);
  EXPECT_EQ(watch.seen[0].text, QStringLiteral("O campo \"Porta\" deve ser definido."));
  EXPECT_EQ(watch.seen[1].text, QStringLiteral("O campo \"Porta\" deve ser definido."));
  EXPECT_EQ(watch.seen[2].text, QStringLiteral("O campo \"Usuário\" deve ser definido."));
  EXPECT_EQ(watch.seen[3].text, QStringLiteral("O campo \"Senha\" deve ser definido."));
  EXPECT_FALSE(store.stored);
  EXPECT_TRUE(d.isVisible());
  Widget<QLineEdit>(d, "Edit7")->setText(QStringLiteral(" s3nhá "));
  d.Confirm();
  ASSERT_TRUE(store.stored);
  EXPECT_EQ(store.stored->server, "proxy.local");
  EXPECT_EQ(store.stored->port, "abc");
  EXPECT_EQ(store.stored->user, "ana");
  EXPECT_EQ(store.stored->password, Ansi(" s3nhá "));
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(DialogsTest, ProxyDialogFirstMessageIsTheServer) {
  ProxyStore store;
  TfrmDlgProxy d(store.Confirm());
  support::MessageWatch watch;
  d.Confirm();
  ASSERT_EQ(watch.seen.size(), 1);
  EXPECT_EQ(watch.seen[0].caption, QStringLiteral("Erro"));
  EXPECT_EQ(watch.seen[0].text, QStringLiteral("O campo \"Servidor\" deve ser definido."));
}

class FolderDialogTest : public DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    QDir(scratch.path().c_str()).mkpath(QStringLiteral("alfa/interna"));
    QDir(scratch.path().c_str()).mkpath(QStringLiteral("beta"));
    saved = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(scratch.path().string()));
  }
  void TearDown() override { QDir::setCurrent(saved); }
  QString Scratch() const { return QDir(QString::fromStdString(scratch.path().string())).canonicalPath(); }

  voske::support::ScratchDir scratch;
  QString saved;
};

TEST_F(FolderDialogTest, ListsThePathDownToTheCurrentFolderThenItsSubFolders) {
  TForm_Pasta d([](const QString&) {});
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Escolha do diretório"));
  EXPECT_EQ(d.size(), QSize(362, 327));
  EXPECT_EQ(Widget<QListWidget>(d, "DirectoryListBox1")->geometry(), QRect(28, 42, 301, 212));
  EXPECT_EQ(QDir(d.CurrentFolder()).canonicalPath(), Scratch());
  const int levels = static_cast<int>(Scratch().count(QChar('/'))) + 1;  // the root, then each folder down to the scratch one
  ASSERT_EQ(Widget<QListWidget>(d, "DirectoryListBox1")->count(), levels + 2);
  EXPECT_EQ(Widget<QListWidget>(d, "DirectoryListBox1")->item(0)->text(), QStringLiteral("/"));
  EXPECT_EQ(Widget<QListWidget>(d, "DirectoryListBox1")->item(levels)->text().trimmed(), QStringLiteral("alfa"));
  EXPECT_EQ(Widget<QListWidget>(d, "DirectoryListBox1")->item(levels + 1)->text().trimmed(), QStringLiteral("beta"));
  // Each level is indented one step further than the one above.
  EXPECT_GT(Widget<QListWidget>(d, "DirectoryListBox1")->item(levels)->text().indexOf(QChar('a')),
            Widget<QListWidget>(d, "DirectoryListBox1")->item(levels - 1)->text().indexOf(QRegularExpression(QStringLiteral("\\S"))));
}

TEST_F(FolderDialogTest, SingleClickOnlyHighlightsDoubleClickEnters) {
  QString chosen;
  TForm_Pasta d([&](const QString& s) { chosen = s; });
  const int levels = Widget<QListWidget>(d, "DirectoryListBox1")->count() - 2;
  QListWidgetItem* alfa = Widget<QListWidget>(d, "DirectoryListBox1")->item(levels);
  Widget<QListWidget>(d, "DirectoryListBox1")->setCurrentItem(alfa);  // a single click
  d.Confirm();
  EXPECT_EQ(QDir(chosen).canonicalPath(), Scratch());

  TForm_Pasta e([&](const QString& s) { chosen = s; });
  emit Widget<QListWidget>(e, "DirectoryListBox1")->itemDoubleClicked(Widget<QListWidget>(e, "DirectoryListBox1")->item(levels));
  EXPECT_EQ(QDir(e.CurrentFolder()).canonicalPath(), Scratch() + QStringLiteral("/alfa"));
  EXPECT_EQ(Widget<QListWidget>(e, "DirectoryListBox1")->item(Widget<QListWidget>(e, "DirectoryListBox1")->count() - 1)->text().trimmed(), QStringLiteral("interna"));
  // Double-clicking an upper level climbs back up.
  emit Widget<QListWidget>(e, "DirectoryListBox1")->itemDoubleClicked(Widget<QListWidget>(e, "DirectoryListBox1")->item(0));
  EXPECT_EQ(e.CurrentFolder(), QStringLiteral("/"));
  e.Confirm();
  EXPECT_EQ(chosen, QStringLiteral("/"));
}

// The keyboard alone: typing a name jumps to it, Enter opens the highlighted
// folder, Enter again confirms it; what "Confirmar" takes is always shown.
TEST_F(FolderDialogTest, KeyboardTypingJumpsEnterOpensThenConfirms) {
  QString chosen;
  TForm_Pasta d([&](const QString& s) { chosen = s; });
  auto* list = Widget<QListWidget>(d, "DirectoryListBox1");
  auto* shown = d.findChild<QLabel*>(QStringLiteral("chosenFolder"));
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(QDir(shown->toolTip()).canonicalPath(), Scratch());
  support::WhenModal([&](QWidget*) {
    list->setFocus();
    QTest::keyClicks(list, QStringLiteral("be"));
    EXPECT_EQ(list->currentItem()->text().trimmed(), QStringLiteral("beta"));
    EXPECT_EQ(QDir(shown->toolTip()).canonicalPath(), Scratch());  // highlighting changes nothing
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClicks(list, QStringLiteral("a"));
    EXPECT_EQ(list->currentItem()->text().trimmed(), QStringLiteral("alfa"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(QDir(d.CurrentFolder()).canonicalPath(), Scratch() + QStringLiteral("/alfa"));
    EXPECT_TRUE(shown->text().startsWith(QStringLiteral("Pasta escolhida: "))) << shown->text().toStdString();
    EXPECT_TRUE(shown->toolTip().endsWith(QStringLiteral("/alfa")));
    EXPECT_TRUE(d.isVisible());
    QTest::keyClick(list, Qt::Key_Return);  // on the folder now open: "Confirmar"
  });
  d.exec();
  EXPECT_EQ(QDir(chosen).canonicalPath(), Scratch() + QStringLiteral("/alfa"));
}

}  // namespace
}  // namespace voske
