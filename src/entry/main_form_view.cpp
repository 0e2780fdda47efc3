// The main window as the presenter sees it: fields read and written, the
// small dialogs shown, the browser opened.
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QUrl>

#include <stdexcept>

#include "entry/folder_dialog.h"
#include "entry/main_form.h"
#include "entry/password_dialog.h"
#include "entry/proxy_dialog.h"
#include "entry/screen_placement.h"
#include "entry/ui_text.h"

namespace voske {

namespace {

// The item whose text is the one shown, or -1 when the user has typed a text
// that is no item.
int ItemIndex(const QComboBox* box) {
  return box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

// Setting the item from the program is not a change made by the user: it
// does not run the change handler.
void SetItemIndex(QComboBox* box, int index) {
  const QSignalBlocker quiet(box);
  box->setCurrentIndex(index);
}

// Paths travel through the core as the file system's own bytes.
std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString DisplayPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(QChar('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(QChar(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QChar(' ')) + QChar(')');
  }
  return filters.join(QStringLiteral(";;"));
}

int TForm_VOSKE_XML::DocumentKindIndex() const { return ItemIndex(ComboBox1); }
void TForm_VOSKE_XML::SetDocumentKindIndex(int index) { SetItemIndex(ComboBox1, index); }
int TForm_VOSKE_XML::ActionIndex() const { return ItemIndex(ComboBox2); }
void TForm_VOSKE_XML::SetActionIndex(int index) { SetItemIndex(ComboBox2, index); }

std::string TForm_VOSKE_XML::WorkbookPath() const { return NativePath(FilenameEdit1->text()); }
void TForm_VOSKE_XML::SetWorkbookPath(const std::string& path) { FilenameEdit1->setText(DisplayPath(path)); }
std::string TForm_VOSKE_XML::DestinationFolder() const { return NativePath(DirectoryEdit1->text()); }
void TForm_VOSKE_XML::SetDestinationFolder(const std::string& path) { DirectoryEdit1->setText(DisplayPath(path)); }
std::string TForm_VOSKE_XML::XmlFilePath() const { return NativePath(fneArquivoXML->text()); }
void TForm_VOSKE_XML::SetXmlFilePath(const std::string& path) { fneArquivoXML->setText(DisplayPath(path)); }
void TForm_VOSKE_XML::SetXmlFileEnabled(bool enabled) { fneArquivoXML->setEnabled(enabled); }

bool TForm_VOSKE_XML::ProxyChecked() const { return chkUtilizarProxy->isChecked(); }
void TForm_VOSKE_XML::SetProxyEnabled(bool enabled) { chkUtilizarProxy->setEnabled(enabled); }

void TForm_VOSKE_XML::SetMainButtonCaption(const Text& caption) { B_Gerar_Arquivo->setText(ToQString(caption)); }
void TForm_VOSKE_XML::SetMainButtonEnabled(bool enabled) { B_Gerar_Arquivo->setEnabled(enabled); }

void TForm_VOSKE_XML::SetApplicationTitle(const Text& title) { applicationTitle_ = ToQString(title); }
void TForm_VOSKE_XML::SetWindowCaption(const Text& caption) { setWindowTitle(ToQString(caption)); }
void TForm_VOSKE_XML::ShowStatusLine() { LB_Status->setVisible(true); }

std::optional<Text> TForm_VOSKE_XML::AskOxrPassword() {
  TForm_Senha_OXR dialog(this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ToText(dialog.MaskEdit1->text());
}

void TForm_VOSKE_XML::ShowProxyDialog() {
  if (!proxyDialog_) {
    MainWindowPresenter* p = presenter_.get();
    proxyDialog_ = new TfrmDlgProxy([p](const ProxySettings& typed) { return p->ConfirmProxy(typed); }, this);
  }
  // Placed again on every opening: the same place each time, on the middle
  // of the screen, wherever it was dragged to before.
  CentreOnScreen(*proxyDialog_);
  proxyDialog_->exec();
}

void TForm_VOSKE_XML::ReleaseProxyDialog() {
  delete proxyDialog_.data();
  proxyDialog_ = nullptr;
}

std::optional<std::string> TForm_VOSKE_XML::PickFile(const Text& filter) {
  OpenDialog1->setNameFilter(QtFileFilter(ToQString(filter)));
  if (OpenDialog1->exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = OpenDialog1->selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return NativePath(files.front());
}

std::optional<std::string> TForm_VOSKE_XML::PickFolder(const std::string& startFolder) {
  // Made for this press only and without owner, as the folder dialog always was.
  std::optional<std::string> chosen;
  TForm_Pasta dialog([&chosen](const QString& folder) { chosen = NativePath(folder); }, DisplayPath(startFolder));
  dialog.exec();
  return chosen;
}

void TForm_VOSKE_XML::OpenUrl(const std::string& url) {
  // A desktop without a browser would otherwise swallow the click silently;
  // the presenter reports the failure like any other.
  const QString address = QString::fromStdString(url);
  if (!QDesktopServices::openUrl(QUrl(address)))
    throw std::runtime_error("Nenhum navegador abriu o endereço " + url + ".");
}

void TForm_VOSKE_XML::Close() { close(); }

}  // namespace voske
