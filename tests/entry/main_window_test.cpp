// The main window driven through its real widgets, found by component name.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>
#include <QUrl>

#include <atomic>
#include <fstream>
#include <thread>

#include "entry/file_picker.h"
#include "entry/folder_dialog.h"
#include "entry/icons.h"
#include "entry/main_window_fixture.h"
#include "entry/proxy_dialog.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/wait.h"

namespace voske {
namespace {

using support::Widget;

using support::MainWindowTest;
using support::MessageWatch;
using support::PasswordAnswer;

template <typename W>
W* Find(QWidget& form, const char* name) {
  W* w = form.findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

// Replaces a combo box's text as the user would: the keyboard for plain
// letters, an insertion (as an input method does) for accented ones.
void TypeInto(QComboBox* box, const QString& text) {
  box->lineEdit()->selectAll();
  QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
  for (QChar c : text) {
    if (c.unicode() < 128)
      QTest::keyClick(box->lineEdit(), c.toLatin1());
    else
      box->lineEdit()->insert(QString(c));
  }
}

QString Q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// Types a full path into the file-open dialog's name field and confirms.
void ChooseIn(QFileDialog* dialog, const QString& path) {
  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(name, nullptr);
  name->setText(path);
  QTest::keyClick(name, Qt::Key_Return);
}

TEST_F(MainWindowTest, StartsInGenerationModeWithTheCaptionAndStatusOfFormCreate) {
  TForm_VOSKE_XML& w = Window();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("VOSKE-XML 3.3 { - JRE 17.0.15}"));
  EXPECT_EQ(w.ApplicationTitle(), QStringLiteral("VOSKE-XML 3.3"));
  EXPECT_EQ(transmission.started, 1);
  // The program's own picture for the title bar and the task switcher, on
  // the window and on the folder dialog, which no window owns.
  const QImage expected = ProgramIconImage(48).convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(w.windowIcon().pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32), expected);
  TForm_Pasta folder([](const QString&) {});
  EXPECT_EQ(folder.windowIcon().pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32), expected);

  EXPECT_EQ(Find<QComboBox>(w, "ComboBox1")->currentText(), QStringLiteral("Dados cadastrais"));
  EXPECT_EQ(Find<QComboBox>(w, "ComboBox2")->currentText(), QStringLiteral("Geração do arquivo XML"));
  EXPECT_EQ(Find<QToolButton>(w, "B_Gerar_Arquivo")->text(), QStringLiteral("Gerar arquivo"));
  EXPECT_TRUE(Find<QToolButton>(w, "B_Gerar_Arquivo")->isEnabled());
  EXPECT_FALSE(Find<QLineEdit>(w, "fneArquivoXML")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(w, "chkUtilizarProxy")->isEnabled());
  EXPECT_FALSE(Find<QCheckBox>(w, "chkUtilizarProxy")->isChecked());
  EXPECT_EQ(Find<QLabel>(w, "LB_Status")->text(), QStringLiteral("Status: "));
  EXPECT_EQ(Find<QToolButton>(w, "SpeedButton1")->text(), QStringLiteral("Status da transmissão"));
  EXPECT_EQ(Find<QToolButton>(w, "Sair")->toolTip(), QStringLiteral("Sair"));
  EXPECT_TRUE(Find<QToolButton>(w, "Sair")->text().isEmpty());
  EXPECT_EQ(transmission.released, 0);
}

TEST_F(MainWindowTest, LayoutFollowsTheForm) {
  TForm_VOSKE_XML& w = Window();
  EXPECT_EQ(w.size(), QSize(649, 285));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());  // fixed border
  EXPECT_EQ(w.font().pixelSize(), 11);

  auto* panel1 = Find<QWidget>(w, "Panel1");
  EXPECT_EQ(panel1->geometry(), QRect(0, 0, 649, 36));
  EXPECT_EQ(panel1->palette().color(QPalette::Window), QColor(214, 214, 173));
  EXPECT_EQ(Find<QToolButton>(w, "B_Gerar_Arquivo")->geometry(), QRect(6, 4, 112, 28));
  EXPECT_TRUE(Find<QToolButton>(w, "B_Gerar_Arquivo")->font().italic());
  EXPECT_EQ(Find<QToolButton>(w, "B_Gerar_Arquivo")->font().pixelSize(), 12);
  EXPECT_EQ(Find<QToolButton>(w, "SpeedButton1")->geometry(), QRect(118, 4, 156, 28));
  EXPECT_TRUE(Find<QToolButton>(w, "SpeedButton1")->font().italic());
  EXPECT_EQ(Find<QToolButton>(w, "Sair")->geometry(), QRect(274, 4, 28, 28));
  for (const char* b : {"B_Gerar_Arquivo", "SpeedButton1", "Sair"})
    EXPECT_FALSE(Find<QToolButton>(w, b)->icon().isNull()) << b;

  auto* panel2 = Find<QWidget>(w, "Panel2");
  EXPECT_EQ(panel2->geometry().top(), 36);
  EXPECT_EQ(panel2->geometry().bottom() + 1, 285 - 19);
  const struct {
    const char* name;
    const char* caption;
    int y;
  } labels[] = {{"Label4", "Arquivo a ser gerado:", 45},
                {"Label5", "Ação a ser gerada:", 73},
                {"Label1", "Arquivo Excel (Planilha Padrão):", 102},
                {"Label2", "Pasta de destino:", 130},
                {"Label3", "Arquivo XML a enviar:", 158}};
  for (const auto& l : labels) {
    auto* label = Find<QLabel>(w, l.name);
    EXPECT_EQ(label->parentWidget(), panel2);
    EXPECT_EQ(label->text(), QString::fromUtf8(l.caption));
    EXPECT_EQ(label->geometry().top(), l.y) << l.name;
    EXPECT_EQ(label->geometry().right() + 1, 178) << l.name;
    // The whole caption fits: nothing is cut at the left edge.
    EXPECT_GE(label->width(), label->sizeHint().width()) << l.name;
    EXPECT_GE(label->geometry().left(), 0) << l.name;
  }
  EXPECT_EQ(Find<QWidget>(w, "ComboBox1")->geometry(), QRect(182, 42, 145, 21));
  EXPECT_EQ(Find<QWidget>(w, "ComboBox2")->geometry(), QRect(182, 70, 145, 21));
  EXPECT_EQ(Find<QWidget>(w, "chkUtilizarProxy")->pos(), QPoint(341, 69));
  EXPECT_EQ(Find<QCheckBox>(w, "chkUtilizarProxy")->text(), QStringLiteral("Utilizar Proxy ao Enviar"));
  EXPECT_EQ(Find<QWidget>(w, "FilenameEdit1")->geometry(), QRect(182, 99, 372, 21));
  EXPECT_EQ(Find<QWidget>(w, "DirectoryEdit1")->geometry(), QRect(182, 127, 372, 21));
  EXPECT_EQ(Find<QWidget>(w, "fneArquivoXML")->geometry(), QRect(182, 155, 372, 21));
  EXPECT_EQ(Find<QWidget>(w, "SpeedButton2")->geometry(), QRect(560, 99, 23, 22));
  EXPECT_EQ(Find<QWidget>(w, "SpeedButton4")->geometry(), QRect(560, 127, 23, 22));
  EXPECT_EQ(Find<QWidget>(w, "SpeedButton3")->geometry(), QRect(560, 155, 23, 22));
  EXPECT_EQ(Find<QWidget>(w, "LB_Status")->pos(), QPoint(185, 183));
  EXPECT_EQ(Find<QComboBox>(w, "ComboBox1")->count(), 2);
  EXPECT_EQ(Find<QComboBox>(w, "ComboBox1")->itemText(1), QStringLiteral("Dados financeiros"));
  EXPECT_EQ(Find<QComboBox>(w, "ComboBox2")->itemText(1), QStringLiteral("Envio para a OXR"));

  auto* bar = Find<QStatusBar>(w, "StatusBar1");
  EXPECT_EQ(bar->geometry(), QRect(0, 266, 649, 19));
  const QList<QLabel*> panels = bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_EQ(panels.size(), 4);
  EXPECT_EQ(panels[0]->text(), QStringLiteral("Versão 2013-06.01"));
  EXPECT_EQ(panels[0]->width(), 120);
  for (int i = 1; i < 4; ++i) {
    EXPECT_TRUE(panels[i]->text().isEmpty());
    EXPECT_EQ(panels[i]->width(), 50);
  }
  EXPECT_NE(Find<QFileDialog>(w, "OpenDialog1"), nullptr);
}

// Every control in reading order, the toolbar and the "..." buttons too, so
// that a run needs no mouse; the window opens with the first field focused.
TEST_F(MainWindowTest, TabVisitsEveryControlInReadingOrder) {
  TForm_VOSKE_XML& w = Window();
  Find<QComboBox>(w, "ComboBox2")->setCurrentIndex(1);  // every field enabled
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QWidget* first = QApplication::focusWidget();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ((qobject_cast<QComboBox*>(first->parentWidget()) ? first->parentWidget() : first)->objectName(),
            QStringLiteral("ComboBox1"));
  const char* order[] = {"ComboBox2",     "chkUtilizarProxy", "FilenameEdit1", "SpeedButton2",
                         "DirectoryEdit1", "SpeedButton4",    "fneArquivoXML", "SpeedButton3",
                         "B_Gerar_Arquivo", "SpeedButton1",   "Sair",          "ComboBox1"};
  for (const char* next : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    // An editable combo box takes the focus in its own line edit.
    QWidget* owner = qobject_cast<QComboBox*>(focus->parentWidget()) ? focus->parentWidget() : focus;
    EXPECT_EQ(owner->objectName(), QString::fromLatin1(next));
  }
  // Enter on the focused main button runs it, as a click does.
  MessageWatch watch;
  Widget<QToolButton>(w, "B_Gerar_Arquivo")->setFocus();
  QTest::keyClick(Widget<QToolButton>(w, "B_Gerar_Arquivo"), Qt::Key_Return);
  ASSERT_EQ(watch.seen.size(), 1);
  EXPECT_EQ(watch.seen[0].text, QStringLiteral("Selecione o local onde ficará a pasta Recibo."));
}

TEST_F(MainWindowTest, ModeSwitchFollowsTheActionAndClearsTheXmlFileOnTheWayBack) {
  TForm_VOSKE_XML& w = Window();
  Widget<QComboBox>(w, "ComboBox2")->setCurrentIndex(1);
  EXPECT_EQ(Widget<QToolButton>(w, "B_Gerar_Arquivo")->text(), QStringLiteral("Enviar arquivo"));
  EXPECT_TRUE(Widget<QLineEdit>(w, "fneArquivoXML")->isEnabled());
  EXPECT_TRUE(Widget<QCheckBox>(w, "chkUtilizarProxy")->isEnabled());
  Widget<QLineEdit>(w, "fneArquivoXML")->setText(QStringLiteral("/tmp/a.xml"));
  Widget<QCheckBox>(w, "chkUtilizarProxy")->setChecked(true);

  Widget<QComboBox>(w, "ComboBox2")->setCurrentIndex(0);
  EXPECT_EQ(Widget<QToolButton>(w, "B_Gerar_Arquivo")->text(), QStringLiteral("Gerar arquivo"));
  EXPECT_TRUE(Widget<QLineEdit>(w, "fneArquivoXML")->text().isEmpty());
  EXPECT_FALSE(Widget<QLineEdit>(w, "fneArquivoXML")->isEnabled());
  EXPECT_FALSE(Widget<QCheckBox>(w, "chkUtilizarProxy")->isEnabled());
  EXPECT_TRUE(Widget<QCheckBox>(w, "chkUtilizarProxy")->isChecked());  // its check mark stays

  // A typed text that is no item is send mode too.
  TypeInto(Widget<QComboBox>(w, "ComboBox2"), QStringLiteral("qualquer"));
  EXPECT_EQ(Widget<QToolButton>(w, "B_Gerar_Arquivo")->text(), QStringLiteral("Enviar arquivo"));
  EXPECT_TRUE(Widget<QLineEdit>(w, "fneArquivoXML")->isEnabled());
  // Typing an item's exact text selects it.
  TypeInto(Widget<QComboBox>(w, "ComboBox2"), QStringLiteral("Geração do arquivo XML"));
  EXPECT_EQ(Widget<QToolButton>(w, "B_Gerar_Arquivo")->text(), QStringLiteral("Gerar arquivo"));
  EXPECT_EQ(Widget<QComboBox>(w, "ComboBox2")->count(), 2);  // typing never adds an item
}

class MainButtonTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    std::ofstream(scratch / "planilha.xlsx") << "x";
    std::filesystem::create_directories(scratch / "destino");
  }
  QString Workbook() const { return Q(scratch / "planilha.xlsx"); }
  QString Destination() const { return Q(scratch / "destino"); }

  // One press; the messages it showed, the password dialog left unanswered.
  QStringList PressAndRead() {
    MessageWatch watch;
    const int before = answer.asked;
    Press();
    QStringList texts;
    for (const auto& m : watch.seen) {
      EXPECT_EQ(m.caption, QStringLiteral("Erro"));
      texts << m.text;
    }
    askedPassword = answer.asked > before;
    return texts;
  }

  support::ScratchDir scratch;
  PasswordAnswer answer;  // closes the dialog: every press ends there
  bool askedPassword = false;
};

TEST_F(MainButtonTest, GenerationChecksReportTheFirstFailureOnly) {
  TForm_VOSKE_XML& w = Window();
  const QStringList none;
  // Workbook blank (blanks only), destination blank: the workbook wins.
  Widget<QLineEdit>(w, "FilenameEdit1")->setText(QStringLiteral("   "));
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Selecione o arquivo Excel com seus dados.")});
  Widget<QLineEdit>(w, "FilenameEdit1")->setText(Workbook() + QStringLiteral(".nao"));
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Arquivo não encontrado.")});
  // Double quotes around the path are removed for the existence test.
  Widget<QLineEdit>(w, "FilenameEdit1")->setText(QChar('"') + Workbook() + QChar('"'));
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(QStringLiteral("  "));
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Selecione a pasta de destino do(s) arquivo(s) XML.")});
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(Destination() + QStringLiteral("/nao-existe"));
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Destino do(s) arquivo(s) XML(s) inválido.")});
  EXPECT_FALSE(askedPassword);
  // A folder given as a file is no folder.
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(Workbook());
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Destino do(s) arquivo(s) XML(s) inválido.")});

  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(Destination());
  EXPECT_EQ(PressAndRead(), none);
  EXPECT_TRUE(askedPassword);
  // Every field stays as the user typed it.
  EXPECT_EQ(Widget<QLineEdit>(w, "FilenameEdit1")->text(), QChar('"') + Workbook() + QChar('"'));
  EXPECT_EQ(Widget<QLineEdit>(w, "DirectoryEdit1")->text(), Destination());
  EXPECT_EQ(generations, 0);
}

TEST_F(MainButtonTest, SendChecksIgnoreTheWorkbookAndNeedTheXmlFile) {
  TForm_VOSKE_XML& w = Window();
  Widget<QComboBox>(w, "ComboBox2")->setCurrentIndex(1);
  Widget<QLineEdit>(w, "FilenameEdit1")->setText(QStringLiteral("/nao/existe.xls"));
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Selecione o local onde ficará a pasta Recibo.")});
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(QStringLiteral("/nao/existe"));
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Destino do(s) arquivo(s) XML(s) inválido.")});
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(Destination());
  Widget<QLineEdit>(w, "fneArquivoXML")->setText(QStringLiteral(" \t"));
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Selecione o arquivo XML a ser enviado.")});
  EXPECT_FALSE(askedPassword);
  Widget<QLineEdit>(w, "fneArquivoXML")->setText(QStringLiteral("doc.xml"));
  EXPECT_TRUE(PressAndRead().isEmpty());
  EXPECT_TRUE(askedPassword);
  EXPECT_TRUE(transmission.sent.empty());
}

// "Utilizar Proxy ao Enviar" ticked with the proxy never configured: the
// press opens the proxy dialog, and closed without settings it names the
// first missing field; nothing is asked or sent around the proxy.
TEST_F(MainButtonTest, ATickedProxyWithoutSettingsOpensItsDialogInsteadOfSending) {
  TForm_VOSKE_XML& w = Window();
  Widget<QComboBox>(w, "ComboBox2")->setCurrentIndex(1);
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(Destination());
  Widget<QLineEdit>(w, "fneArquivoXML")->setText(QStringLiteral("doc.xml"));
  int proxyShown = 0;
  const auto closeProxy = [&](QWidget* d) {
    proxyShown += qobject_cast<TfrmDlgProxy*>(d) != nullptr;
    d->close();
  };
  support::WhenModal(closeProxy);
  QTest::mouseClick(Widget<QCheckBox>(w, "chkUtilizarProxy"), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(Widget<QCheckBox>(w, "chkUtilizarProxy")->isChecked());
  support::WhenModal(closeProxy);
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("O campo \"Servidor\" deve ser definido.")});
  EXPECT_EQ(proxyShown, 2);
  EXPECT_FALSE(askedPassword);
  EXPECT_TRUE(transmission.sent.empty());
}

TEST_F(MainButtonTest, TypedComboTextsStopTheRunWithTheirOwnMessage) {
  TForm_VOSKE_XML& w = Window();
  TypeInto(Widget<QComboBox>(w, "ComboBox1"), QStringLiteral("Dados"));
  TypeInto(Widget<QComboBox>(w, "ComboBox2"), QStringLiteral("Envio"));
  EXPECT_EQ(Widget<QToolButton>(w, "B_Gerar_Arquivo")->text(), QStringLiteral("Enviar arquivo"));
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Selecione pelo menos um tipo de arquivo a ser gerado.")});
  TypeInto(Widget<QComboBox>(w, "ComboBox1"), QStringLiteral("Dados financeiros"));
  EXPECT_EQ(PressAndRead(), QStringList{QStringLiteral("Selecione a ação desejada.")});
  EXPECT_EQ(Widget<QComboBox>(w, "ComboBox1")->count(), 2);
  EXPECT_EQ(Status(), QStringLiteral("Status: "));  // a stopped run leaves the status line alone
}

TEST_F(MainButtonTest, CancelledPasswordEndsSilentlyAndForgetsThePreviousOne) {
  TForm_VOSKE_XML& w = Window();
  Widget<QLineEdit>(w, "FilenameEdit1")->setText(Workbook());
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(Destination());
  w.Presenter().SetOxrPassword("segredo");
  EXPECT_TRUE(PressAndRead().isEmpty());
  EXPECT_TRUE(askedPassword);
  EXPECT_EQ(w.Presenter().OxrPasswordUpper(), "");
  EXPECT_EQ(generations, 0);
  EXPECT_EQ(Status(), QStringLiteral("Status: "));
  EXPECT_TRUE(Widget<QToolButton>(w, "B_Gerar_Arquivo")->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainButtonTest, GenerationIsBusyUntilItEndsAndRefusesToClose) {
  TForm_VOSKE_XML& w = Window();
  Widget<QLineEdit>(w, "FilenameEdit1")->setText(Workbook());
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(Destination());
  answer.password = QStringLiteral("abc");
  w.show();

  bool buttonEnabled = true, hourglass = false, stillOpen = false;
  QString statusDuring;
  duringGeneration = [&] {
    buttonEnabled = Widget<QToolButton>(w, "B_Gerar_Arquivo")->isEnabled();
    hourglass = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    statusDuring = Widget<QLabel>(w, "LB_Status")->text();
    // Closing now, by the close box or by Sair, would tear the window down
    // under the running generation.
    w.close();
    Widget<QToolButton>(w, "Sair")->click();
    QTest::keyClick(&w, Qt::Key_Escape);
    stillOpen = w.isVisible();
  };
  const QStringList messages = PressAndRead();
  EXPECT_EQ(generations, 1);
  EXPECT_FALSE(buttonEnabled);
  EXPECT_TRUE(hourglass);
  EXPECT_TRUE(statusDuring.startsWith(QStringLiteral("Status: Gerando os arquivos XML")));
  EXPECT_TRUE(stillOpen);
  // The failure shows its one message, then the window is ready again.
  EXPECT_EQ(messages, QStringList{QStringLiteral("Planilha de teste sem dados.")});
  EXPECT_TRUE(Widget<QToolButton>(w, "B_Gerar_Arquivo")->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Status(), QStringLiteral("Status:"));
  EXPECT_EQ(transmission.released, 0);

  // Once the run is over the window closes, releasing its Java environment.
  Widget<QToolButton>(w, "Sair")->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(transmission.released, 1);
}

TEST_F(MainButtonTest, SendingTakesTheXmlFieldWithoutQuotesAndTheProxyValues) {
  TForm_VOSKE_XML& w = Window();
  Widget<QComboBox>(w, "ComboBox1")->setCurrentIndex(1);
  Widget<QComboBox>(w, "ComboBox2")->setCurrentIndex(1);
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(Destination());
  Widget<QLineEdit>(w, "fneArquivoXML")->setText(QStringLiteral("\"/dados/Operadora \"1\".xml\""));
  w.Presenter().SetProxyServer("proxy.local");
  w.Presenter().SetProxyPort("3128");
  answer.password = QStringLiteral("senha é");
  // The sending runs on a thread of its own: the window is looked at from a
  // timer of its own thread while the sending waits to be looked at.
  QString statusWhileSending;
  bool buttonWhileSending = true;
  std::atomic<bool> inFlight{false}, seen{false};
  QTimer look;
  look.setInterval(5);
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (!inFlight || seen) return;
    statusWhileSending = Status();
    buttonWhileSending = Widget<QToolButton>(w, "B_Gerar_Arquivo")->isEnabled();
    seen = true;
  });
  look.start();
  transmission.onSend = [&](FrontEnd& fe) {
    inFlight = true;
    EXPECT_TRUE(support::WaitUntil([&] { return seen.load(); })) << "the window was not looked at";
    fe.ShowInformation(Ansi("Arquivo enviado."));
  };
  MessageWatch watch;
  Press();
  ASSERT_EQ(transmission.sent.size(), 1u);
  const SendRequest& r = transmission.sent[0];
  EXPECT_EQ(r.xmlPath, "/dados/Operadora 1.xml");
  EXPECT_EQ(w.Presenter().OutputPath(), "/dados/Operadora 1.xml");
  EXPECT_EQ(r.destinationFolder, Destination().toStdString());
  EXPECT_EQ(r.documentKind, DocumentKind::Financeiro);
  EXPECT_FALSE(r.useProxy);
  EXPECT_EQ(r.proxyServer, "proxy.local");
  EXPECT_EQ(r.proxyPort, "3128");
  EXPECT_EQ(r.passwordUpper, Ansi("SENHA é"));  // a-z only
  EXPECT_EQ(statusWhileSending, QStringLiteral("Status: Enviando os dados para OXR"));
  EXPECT_FALSE(buttonWhileSending);
  ASSERT_EQ(watch.seen.size(), 1);
  EXPECT_EQ(watch.seen[0].caption, QStringLiteral("Informação"));
  EXPECT_EQ(Status(), QStringLiteral("Status:"));
  EXPECT_EQ(generations, 0);
}

TEST_F(MainWindowTest, ProxyDialogIsMadeOnceKeepsItsFieldsAndGoesWithSair) {
  TForm_VOSKE_XML& w = Window();
  Widget<QComboBox>(w, "ComboBox2")->setCurrentIndex(1);
  EXPECT_EQ(w.ProxyDialog(), nullptr);

  // First check: the dialog appears; a blank field is refused, then all four are stored.
  MessageWatch watch;
  support::WhenModal([](QWidget* d) {
    auto* proxy = qobject_cast<TfrmDlgProxy*>(d);
    ASSERT_NE(proxy, nullptr);
    Widget<QLineEdit>(*proxy, "Edit5")->setText(QStringLiteral("proxy.local"));
    Widget<QPushButton>(*proxy, "BitBtn3")->click();  // port missing: stays open
    EXPECT_TRUE(proxy->isVisible());
    Widget<QLineEdit>(*proxy, "Edit6")->setText(QStringLiteral("8080"));
    Widget<QLineEdit>(*proxy, "Edit8")->setText(QStringLiteral(" ana "));
    Widget<QLineEdit>(*proxy, "Edit7")->setText(QStringLiteral("pw"));
    Widget<QPushButton>(*proxy, "BitBtn3")->click();
  });
  QTest::mouseClick(Widget<QCheckBox>(w, "chkUtilizarProxy"), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(Widget<QCheckBox>(w, "chkUtilizarProxy")->isChecked());
  TfrmDlgProxy* first = w.ProxyDialog();
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(watch.seen.size(), 1);
  EXPECT_EQ(watch.seen[0].text, QStringLiteral("O campo \"Porta\" deve ser definido."));
  EXPECT_EQ(w.Presenter().Proxy().server, "proxy.local");
  EXPECT_EQ(w.Presenter().Proxy().port, "8080");
  EXPECT_EQ(w.Presenter().Proxy().user, " ana ");
  EXPECT_EQ(w.Presenter().Proxy().password, "pw");

  // Unchecking does nothing; checking again shows the same dialog with what was typed.
  QTest::mouseClick(Widget<QCheckBox>(w, "chkUtilizarProxy"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(Widget<QCheckBox>(w, "chkUtilizarProxy")->isChecked());
  QString server;
  support::WhenModal([&](QWidget* d) {
    server = Widget<QLineEdit>(*qobject_cast<TfrmDlgProxy*>(d), "Edit5")->text();
    d->close();  // closing writes nothing
  });
  QTest::mouseClick(Widget<QCheckBox>(w, "chkUtilizarProxy"), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(w.ProxyDialog(), first);
  EXPECT_EQ(server, QStringLiteral("proxy.local"));
  EXPECT_TRUE(Widget<QCheckBox>(w, "chkUtilizarProxy")->isChecked());
  EXPECT_EQ(w.Presenter().Proxy().port, "8080");

  Widget<QToolButton>(w, "Sair")->click();
  EXPECT_EQ(w.ProxyDialog(), nullptr);
  EXPECT_EQ(transmission.released, 1);
}

TEST_F(MainWindowTest, PickersFillTheirFieldsAndCancelLeavesThemAlone) {
  support::ScratchDir scratch;
  std::ofstream(scratch / "dados.xlsm") << "x";
  std::ofstream(scratch / "envio.xml") << "<a/>";
  TForm_VOSKE_XML& w = Window();
  Widget<QLineEdit>(w, "FilenameEdit1")->setText(QStringLiteral("antes"));

  QStringList filters;
  support::WhenModal([&](QWidget* d) {
    auto* dialog = qobject_cast<QFileDialog*>(d);
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    dialog->reject();
  });
  Widget<QToolButton>(w, "SpeedButton2")->click();
  EXPECT_EQ(filters, QStringList{QStringLiteral("Planilha Padrão (*.xlsx *.xlsm *.xls *.ods)")});
  EXPECT_EQ(Widget<QLineEdit>(w, "FilenameEdit1")->text(), QStringLiteral("antes"));

  support::WhenModal([&](QWidget* d) {
    auto* dialog = qobject_cast<QFileDialog*>(d);
    ChooseIn(dialog, Q(scratch / "dados.xlsm"));
  });
  Widget<QToolButton>(w, "SpeedButton2")->click();
  EXPECT_EQ(QFileInfo(Widget<QLineEdit>(w, "FilenameEdit1")->text()).canonicalFilePath(), QFileInfo(Q(scratch / "dados.xlsm")).canonicalFilePath());

  // The XML picker works in generation mode too. It opens in the
  // destination folder, where the documents are, with no name typed (the
  // workbook picked before is not offered), the documents' names, sizes and
  // dates shown whole, the dates written the Brazilian way.
  const std::string document = "418723_CADASTRAL_2026-12-10_135738.xml";
  std::ofstream(scratch / document) << "<a/>";
  Widget<QLineEdit>(w, "DirectoryEdit1")->setText(Q(scratch.path()));
  QString startedIn, typedName, dateShown;
  int nameShown = 0, nameNeeded = 1, columnsWidth = 1, listWidth = 0, highlighted = -1;
  support::WhenModal([&](QWidget* d) {
    auto* dialog = qobject_cast<QFileDialog*>(d);
    filters = dialog->nameFilters();
    startedIn = dialog->directory().canonicalPath();
    typedName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
    auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    // The folder is listed by a thread of the picker's model, a file at a time.
    const auto row = [&] {
      for (int r = 0; r < list->model()->rowCount(list->rootIndex()); ++r)
        if (list->model()->index(r, 0, list->rootIndex()).data().toString() == QString::fromStdString(document))
          return list->model()->index(r, 0, list->rootIndex());
      return QModelIndex();
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return row().isValid() && dialog->viewMode() == QFileDialog::Detail; }, 20000));
    // Nothing left highlighted from the earlier openings for "Abrir" to take.
    highlighted = static_cast<int>(list->selectionModel()->selectedRows().size());
    if (const QModelIndex name = row(); name.isValid()) {
      nameNeeded = list->fontMetrics().horizontalAdvance(name.data().toString()) + list->iconSize().width();
      nameShown = list->header()->sectionSize(0);
      // The list shows its dates through the picker's own cell text.
      auto* files = qobject_cast<QFileSystemModel*>(list->model());
      if (files && list->itemDelegateForColumn(3)) dateShown = FileListText(*files, name.siblingAtColumn(3));
    }
    columnsWidth = 0;
    for (int c = 0; c < 4; ++c) columnsWidth += list->header()->sectionSize(c);
    listWidth = list->viewport()->width();
    ChooseIn(dialog, Q(scratch / "envio.xml"));
  });
  Widget<QToolButton>(w, "SpeedButton3")->click();
  EXPECT_EQ(filters, QStringList{QStringLiteral("Arquivo XML (*.xml)")});
  EXPECT_EQ(startedIn, QDir(Q(scratch.path())).canonicalPath());
  EXPECT_EQ(typedName, QString());
  EXPECT_EQ(highlighted, 0);
  EXPECT_GE(nameShown, nameNeeded);
  EXPECT_LE(columnsWidth, listWidth);  // no column cut at the right
  EXPECT_EQ(dateShown, QFileInfo(Q(scratch / document)).lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm")));
  EXPECT_TRUE(Widget<QLineEdit>(w, "fneArquivoXML")->text().endsWith(QStringLiteral("envio.xml")));

}

TEST_F(MainWindowTest, FolderDialogStartsAtTheTypedFolderElseAtHome) {
  support::ScratchDir scratch;
  QDir().mkpath(Q(scratch / "casa"));
  QDir().mkpath(Q(scratch / "destino" / "sub"));
  const QByteArray savedHome = qgetenv("HOME");
  qputenv("HOME", QFile::encodeName(Q(scratch / "casa")));
  TForm_VOSKE_XML& w = Window();
  auto started = [&](const QString& typed, bool confirm) {
    Widget<QLineEdit>(w, "DirectoryEdit1")->setText(typed);
    QString at;
    support::WhenModal([&](QWidget* d) {
      auto* pasta = qobject_cast<TForm_Pasta*>(d);
      ASSERT_NE(pasta, nullptr);
      at = pasta->CurrentFolder();
      if (confirm) Widget<QPushButton>(*pasta, "BitBtn3")->click();
      else d->close();
    });
    Widget<QToolButton>(w, "SpeedButton4")->click();
    return QDir(at).canonicalPath();
  };

  // Nothing typed, or a folder that does not exist: the user's home, never
  // the program's folder (the current directory). Closing writes nothing.
  EXPECT_EQ(started(QString(), false), QDir(Q(scratch / "casa")).canonicalPath());
  EXPECT_TRUE(Widget<QLineEdit>(w, "DirectoryEdit1")->text().isEmpty());
  EXPECT_EQ(started(Q(scratch / "nao-existe"), false), QDir(Q(scratch / "casa")).canonicalPath());
  EXPECT_EQ(Widget<QLineEdit>(w, "DirectoryEdit1")->text(), Q(scratch / "nao-existe"));
  // An existing folder typed in the field: the list opens there, and
  // confirming without a change gives it back.
  EXPECT_EQ(started(Q(scratch / "destino"), true), QDir(Q(scratch / "destino")).canonicalPath());
  EXPECT_EQ(QDir(Widget<QLineEdit>(w, "DirectoryEdit1")->text()).canonicalPath(), QDir(Q(scratch / "destino")).canonicalPath());
  qputenv("HOME", savedHome);
}

// The desktop's opener, stood in for by a script that notes the address and
// ends as a real one does: 0 when a browser opened it, 3 when none could.
TEST_F(MainWindowTest, StatusPageOpensInTheBrowserOrSaysWhyNot) {
  support::ScratchDir bin;
  const QByteArray savedPath = qgetenv("PATH");
  const auto opener = [&](int status) {
    std::ofstream(bin / "xdg-open") << "#!/bin/sh\necho \"$1\" >> '" << (bin / "enderecos").string() << "'\nexit "
                                    << status << "\n";
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
  };
  qputenv("PATH", QByteArray::fromStdString(bin.path().string()) + ":/usr/bin:/bin");
  TForm_VOSKE_XML& w = Window();
  MessageWatch watch;
  opener(0);
  Widget<QToolButton>(w, "SpeedButton1")->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(bin / "enderecos"); }, 10000));
  QTest::qWait(200);  // an opener that succeeded says nothing, now or later
  EXPECT_TRUE(watch.seen.isEmpty());
  const QUrl url(QString::fromStdString(support::FileContents(bin / "enderecos")).trimmed());
  EXPECT_EQ(url.scheme(), QStringLiteral("http"));
  EXPECT_EQ(url.port(), 8080);
  EXPECT_EQ(url.path(), QStringLiteral("/HotSite"));

  // No browser: the opener's failure reaches the user, not only its stderr.
  opener(3);
  Widget<QToolButton>(w, "SpeedButton1")->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !watch.seen.isEmpty(); }, 10000));
  EXPECT_TRUE(watch.seen[0].text.startsWith(QStringLiteral("Erro ao tentar abrir o Internet Explorer: \n")));
  EXPECT_TRUE(watch.seen[0].text.contains(QStringLiteral("Nenhum navegador abriu o endereço http://")));
  // No opener at all: said at once.
  std::filesystem::remove(bin / "xdg-open");
  qputenv("PATH", QByteArray::fromStdString(bin.path().string()));
  Widget<QToolButton>(w, "SpeedButton1")->click();
  qputenv("PATH", savedPath);
  ASSERT_EQ(watch.seen.size(), 2);
  EXPECT_TRUE(watch.seen[1].text.contains(QStringLiteral(":8080/HotSite")));
}

TEST_F(MainWindowTest, WithoutAVmTheXmlFieldStartsDisabled) {
  transmission.startsVm = false;
  transmission.version = "";
  TForm_VOSKE_XML& w = Window();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("VOSKE-XML 3.3 { - JRE }"));
  EXPECT_FALSE(Widget<QLineEdit>(w, "fneArquivoXML")->isEnabled());
}

}  // namespace
}  // namespace voske
