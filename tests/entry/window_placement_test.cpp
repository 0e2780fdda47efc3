// How the windows present themselves: captions exactly as given, the small
// dialogs on the middle of the screen and at the same place every time, the
// file picker in Portuguese and leaving nothing on screen behind it.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTranslator>

#include <cstdlib>
#include <fstream>

#include "entry/application_setup.h"
#include "entry/folder_dialog.h"
#include "entry/main_window_fixture.h"
#include "entry/message_dialog.h"
#include "entry/proxy_dialog.h"
#include "support/paths.h"

namespace voske {
namespace {

using support::Widget;

using support::MainWindowTest;

QRect ScreenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// Centred within the width of the window's frame (a few pixels the window
// system adds around the client area once the window is shown).
void ExpectCentredOnScreen(const QRect& r) {
  const QPoint centre = ScreenArea().center();
  EXPECT_LE(std::abs(r.center().x() - centre.x()), 3) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
  EXPECT_LE(std::abs(r.center().y() - centre.y()), 3) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

TEST_F(MainWindowTest, EveryWindowIsTitledWithItsCaptionAlone) {
  PrepareApplication();
  TForm_VOSKE_XML& w = Window();
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("VOSKE-XML 3.3 { - JRE 17.0.15}"));
  EXPECT_EQ(w.windowHandle()->title(), w.windowTitle());
  // A display name would be appended by the window system to every caption
  // ("Erro — VOSKE-XML 3.3"); nothing sets one, so Qt answers the plain name.
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());

  TForm_Senha_OXR password(&w);
  TfrmDlgProxy proxy(nullptr, &w);
  TForm_Pasta folder(nullptr);
  auto error = BuildMessageDialog(QStringLiteral("x"), 1, kButtonOk, QStringLiteral("Erro"), 0, false, nullptr);
  EXPECT_EQ(password.windowTitle(), QStringLiteral("Senha na OXR"));
  EXPECT_EQ(proxy.windowTitle(), QStringLiteral("VOSKE-XML - Proxy"));
  EXPECT_EQ(folder.windowTitle(), QStringLiteral("Escolha do diretório"));
  EXPECT_EQ(error->windowTitle(), QStringLiteral("Erro"));
}

TEST_F(MainWindowTest, PasswordAndFolderDialogsOpenOnTheMiddleOfTheScreen) {
  TForm_VOSKE_XML& w = Window();
  w.move(0, 0);  // centred over the window would be far from the screen's middle
  w.show();
  QRect passwordAt;
  support::WhenModal([&](QWidget* d) {
    passwordAt = d->geometry();
    d->close();
  });
  EXPECT_FALSE(w.AskOxrPassword().has_value());
  ExpectCentredOnScreen(passwordAt);

  QRect folderAt;
  support::WhenModal([&](QWidget* d) {
    folderAt = d->geometry();
    d->close();
  });
  Widget<QToolButton>(w, "SpeedButton4")->click();
  ExpectCentredOnScreen(folderAt);
}

TEST_F(MainWindowTest, ProxyDialogOpensAtTheSamePlaceEveryTime) {
  TForm_VOSKE_XML& w = Window();
  w.move(0, 0);
  w.show();
  Widget<QComboBox>(w, "ComboBox2")->setCurrentIndex(1);
  QList<QRect> openedAt;
  for (int i = 0; i < 3; ++i) {
    support::WhenModal([&](QWidget* d) {
      openedAt << d->geometry();
      d->move(20 + 40 * i, 30);  // the user drags it away before closing it
      d->close();
    });
    Widget<QCheckBox>(w, "chkUtilizarProxy")->setChecked(false);
    Widget<QCheckBox>(w, "chkUtilizarProxy")->click();
  }
  ASSERT_EQ(openedAt.size(), 3);
  ExpectCentredOnScreen(openedAt[0]);
  EXPECT_EQ(openedAt[1], openedAt[0]);
  EXPECT_EQ(openedAt[2], openedAt[0]);
}

TEST_F(MainWindowTest, PickerConfirmedWithItsCompletionListOpenLeavesNoListBehind) {
  support::ScratchDir scratch;
  std::ofstream(scratch / "planilha-um.xlsx") << "x";
  std::ofstream(scratch / "planilha-dois.xlsx") << "x";
  TForm_VOSKE_XML& w = Window();
  w.show();
  bool listWasOpen = false;
  support::WhenModal([&](QWidget* d) {
    auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    // The user's typing goes to the name field: the picker is the active
    // window. Without the focus there, the picker replaces the field's text
    // whenever its folder listing changes the selection.
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d, 10000));
    name->setFocus(Qt::OtherFocusReason);
    // The user types the full path; the completion list opens on the
    // folder's names, and Enter goes to the field, not to the list.
    const QString path = QString::fromStdString((scratch / "planilha-um.xlsx").string());
    QCompleter* completer = name->completer();
    ASSERT_NE(completer, nullptr);
    // The folder is listed by a thread of the picker's model.
    QTest::keyClicks(name, path.left(path.size() - 8));
    const bool listed = QTest::qWaitFor([&] {
      completer->setCompletionPrefix(name->text());
      return completer->completionCount() > 1;
    }, 30000);
    ASSERT_TRUE(listed);
    completer->complete();
    listWasOpen = completer->popup()->isVisible();
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  });
  Widget<QToolButton>(w, "SpeedButton2")->click();
  EXPECT_TRUE(listWasOpen);
  EXPECT_TRUE(Widget<QLineEdit>(w, "FilenameEdit1")->text().endsWith(QStringLiteral("planilha-um.xlsx")));
  // Nothing of the picker is left on screen to take the next click.
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  for (QCompleter* c : Widget<QFileDialog>(w, "OpenDialog1")->findChildren<QCompleter*>()) EXPECT_FALSE(c->popup()->isVisible());
}

TEST_F(MainWindowTest, FilePickerSpeaksPortuguese) {
  if (!QFile::exists(QtTranslationsFolder() + QStringLiteral("/qtbase_pt_BR.qm")))
    GTEST_SKIP() << "as traduções do Qt (qt6-translations-l10n) não estão instaladas";
  ASSERT_TRUE(PrepareApplication());
  EXPECT_TRUE(PrepareApplication());  // a second call adds no second translator
  EXPECT_EQ(qApp->findChildren<QTranslator*>().size(), 1);
  EXPECT_EQ(QLocale().name(), QStringLiteral("pt_BR"));
  TForm_VOSKE_XML& w = Window();
  QString lookIn, fileName, cancel;
  support::WhenModal([&](QWidget* d) {
    lookIn = d->findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
    fileName = d->findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text();
    cancel = d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
    qobject_cast<QDialog*>(d)->reject();
  });
  Widget<QToolButton>(w, "SpeedButton2")->click();
  EXPECT_EQ(lookIn, QCoreApplication::translate("QFileDialog", "Look in:"));
  EXPECT_NE(lookIn, QStringLiteral("Look in:"));
  EXPECT_NE(fileName, QStringLiteral("File &name:"));
  EXPECT_EQ(cancel.remove(QChar('&')), QStringLiteral("Cancelar"));
}

}  // namespace
}  // namespace voske
