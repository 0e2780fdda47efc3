// voske-screenshots: renders the main window in both modes and each dialog
// to PNG, for the README. Runs on any Qt platform; scripts/screenshots uses
// the offscreen one. Each picture gets a plain title bar with the window's
// caption, since a grab holds only the client area.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "common/program_arguments.h"
#include "sample_findings.h"
#include "entry/application_setup.h"
#include "entry/component_names.h"
#include "entry/findings_dialog.h"
#include "entry/folder_dialog.h"
#include "entry/main_form.h"
#include "entry/message_dialog.h"
#include "entry/password_dialog.h"
#include "entry/proxy_dialog.h"
#include "entry/ui_fonts.h"
#include "entry/ui_text.h"
#include "entry/window_front_end.h"
#include "transmission/java_transmission.h"
#include "workbook/worksheet_loader.h"
#include "workflow/proxy_settings.h"

namespace {

using namespace voske;

// The pictures show the window as it looks once the VM has started, without
// starting one: the caption carries the Java version really installed.
class PictureTransmission : public TransmissionPort {
 public:
  Text JavaVersion() override { return java_.JavaVersion(); }
  bool StartJavaVM(FrontEnd&) override { return true; }
  void SendDocument(const SendRequest&, FrontEnd&) override {}

 private:
  JavaTransmission java_;
};

// A widget of a window, by its component name.
template <typename W>
W* Widget(QWidget& window, const char* name) {
  return window.findChild<W*>(QString::fromLatin1(name));
}

QPixmap Framed(QWidget& w) {
  w.show();
  QApplication::processEvents();
  const QPixmap client = w.grab();
  w.hide();
  constexpr int kTitle = 22;
  QPixmap framed(client.width() + 2, client.height() + kTitle + 1);
  framed.fill(QColor(10, 36, 106));
  QPainter p(&framed);
  p.drawPixmap(1, kTitle, client);
  QFont f = DialogFont();
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(6, 0, framed.width() - 12, kTitle), Qt::AlignVCenter | Qt::AlignLeft, w.windowTitle());
  return framed;
}

bool Save(QWidget& w, const QString& folder, const char* name) {
  const QString path = QDir(folder).filePath(QString::fromLatin1(name));
  if (!Framed(w).save(path, "PNG")) {
    std::fprintf(stderr, "voske-screenshots: não foi possível gravar %s\n", path.toUtf8().constData());
    return false;
  }
  std::printf("%s\n", path.toUtf8().constData());
  return true;
}

// Presses `button` of the window and pictures the file picker it opens, as
// the user sees it: where the window has it start, with the window's filter,
// once the picker's model has listed the folder. Hiding the picker ends it.
bool SavePicker(QWidget& window, const char* button, const QString& folder, const char* name) {
  bool saved = false;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!picker) return;
    poll.stop();
    QElapsedTimer listing;
    listing.start();
    while (listing.elapsed() < 800) QApplication::processEvents(QEventLoop::AllEvents, 50);
    saved = Save(*picker, folder, name);
  });
  poll.start();
  Widget<QToolButton>(window, button)->click();
  return saved;
}

// A small folder tree for the folder dialog, at a fixed place so the
// picture is the same on every machine.
QString MakeFolderTree() {
  const QString base = QDir::tempPath() + QStringLiteral("/voske-telas/Contabilidade/OXR");
  for (const char* sub : {"2013-1T", "2013-2T", "Planilhas", "Recibo"})
    QDir().mkpath(base + QChar('/') + QString::fromLatin1(sub));
  return base;
}

}  // namespace

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "voske-screenshots",
      "Uso: voske-screenshots [PASTA]\n"
      "Grava em PASTA (padrão docs) uma imagem PNG da janela principal em cada modo e de\n"
      "cada diálogo.\n",
      {}, 0, 1};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  QApplication app(argc, argv);
  // Qt's own dialogs in Portuguese, as the library sets them up.
  PrepareApplication();
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
  QDir().mkpath(folder);
  bool ok = true;

  PictureTransmission transmission;
  {
    TForm_VOSKE_XML w(transmission, GenerationServices{});
    Widget<QLineEdit>(w, component::kWorkbookPath)->setText(QStringLiteral("/home/contabil/OXR/Planilhas/planilha-exemplo.xlsx"));
    Widget<QLineEdit>(w, component::kDestinationFolder)->setText(QStringLiteral("/home/contabil/OXR/2013-2T"));
    ok &= Save(w, folder, "janela-geracao.png");

    Widget<QComboBox>(w, component::kDocumentKind)->setCurrentIndex(1);
    Widget<QComboBox>(w, component::kAction)->setCurrentIndex(1);
    Widget<QCheckBox>(w, component::kUseProxy)->setChecked(true);
    Widget<QLineEdit>(w, component::kXmlFilePath)->setText(QStringLiteral("/home/contabil/OXR/2013-2T/123456_FINANCEIRO_20130715093012.xml"));
    ok &= Save(w, folder, "janela-envio.png");
  }
  {
    auto error = BuildMessageDialog(QStringLiteral("Arquivo não encontrado."), 1, kButtonOk, QStringLiteral("Erro"), 0,
                                    false, nullptr);
    ok &= Save(*error, folder, "mensagem-erro.png");
    auto info = BuildMessageDialog(QStringLiteral("XML gerado com sucesso."), 4, kButtonOk,
                                   QStringLiteral("Informação"), 0, false, nullptr);
    ok &= Save(*info, folder, "mensagem-informacao.png");
    // A workbook that cannot be read: the reason, the worksheet, the file.
    auto unreadable = BuildMessageDialog(
        ToQString(LoadError(ReaderError::Kind::Corrupt, Ansi("Dados Cadastrais"),
                            "/home/contabil/OXR/Planilhas/planilha-2013-2T.xlsx")
                      .Message()),
        1, kButtonOk, QStringLiteral("Erro"), 0, false, nullptr);
    ok &= Save(*unreadable, folder, "mensagem-planilha.png");
    // Findings after a generation, opened: by worksheet, with their button.
    const FindingList findings = SampleFindings();
    auto warnings = BuildFindingsDialog(
        QStringLiteral("XML gerado com sucesso.\r2 avisos de verificação: valores que o esquema da OXR recusa."),
        static_cast<int>(MessageIcon::Warning), kButtonOk, QStringLiteral("Informação"), 0, findings);
    warnings->ToggleDetails();
    ok &= Save(*warnings, folder, "mensagem-avisos.png");
  }
  {
    TForm_Senha_OXR d;
    Widget<QLineEdit>(d, component::kOxrPassword)->setText(QStringLiteral("segredo"));
    ok &= Save(d, folder, "senha.png");
  }
  {
    WindowFrontEnd messages;
    TfrmDlgProxy d([&messages](const ProxySettings& s) { return CheckProxySettings(s, messages); });
    Widget<QLineEdit>(d, component::kProxyServer)->setText(QStringLiteral("proxy.operadora.local"));
    Widget<QLineEdit>(d, component::kProxyPort)->setText(QStringLiteral("3128"));
    Widget<QLineEdit>(d, component::kProxyUser)->setText(QStringLiteral("contabil"));
    Widget<QLineEdit>(d, component::kProxyPassword)->setText(QStringLiteral("segredo"));
    ok &= Save(d, folder, "proxy.png");
  }
  {
    const QString tree = MakeFolderTree();
    const QString saved = QDir::currentPath();
    QDir::setCurrent(tree);
    TForm_Pasta d([](const QString&) {});
    QDir::setCurrent(saved);
    ok &= Save(d, folder, "pasta.png");

    // The main window's pickers as they open on that tree: the workbook's
    // beside the workbook typed, the document's in the destination folder,
    // where the generated documents are.
    for (const char* name : {"Planilhas/planilha-2013-1T.xlsx", "Planilhas/planilha-2013-2T.ods",
                             "2013-2T/418723_CADASTRAL_2026-12-10_135738.xml",
                             "2013-2T/418723_FINANCEIRO_2026-12-10_135738.xml"}) {
      QFile file(tree + QChar('/') + QString::fromLatin1(name));
      if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(2300, ' '));
    }
    TForm_VOSKE_XML w(transmission, GenerationServices{});
    Widget<QLineEdit>(w, component::kWorkbookPath)->setText(tree + QStringLiteral("/Planilhas/planilha-2013-2T.ods"));
    Widget<QLineEdit>(w, component::kDestinationFolder)->setText(tree + QStringLiteral("/2013-2T"));
    ok &= SavePicker(w, component::kPickWorkbook, folder, "seletor-arquivo.png");
    ok &= SavePicker(w, component::kPickXmlFile, folder, "seletor-xml.png");
    QDir(QDir::tempPath() + QStringLiteral("/voske-telas")).removeRecursively();
  }
  return ok ? 0 : 1;
}
