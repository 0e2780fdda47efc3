// The main window as the presenter sees it: fields read and written, the
// small dialogs shown, the browser opened.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>


#include "entry/browser.h"
#include "entry/file_picker.h"
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

// The lists hold their items in the order of the enums: "Dados cadastrais",
// "Dados financeiros"; "Geração do arquivo XML", "Envio para a OXR".
std::optional<DocumentKind> TForm_VOSKE_XML::ChosenDocument() const {
  const int index = ItemIndex(documentKind_);
  if (index < 0) return std::nullopt;
  return index == 0 ? DocumentKind::Cadastral : DocumentKind::Financeiro;
}
void TForm_VOSKE_XML::ChooseDocument(DocumentKind document) {
  SetItemIndex(documentKind_, document == DocumentKind::Cadastral ? 0 : 1);
}
std::optional<RunAction> TForm_VOSKE_XML::ChosenAction() const {
  const int index = ItemIndex(action_);
  if (index < 0) return std::nullopt;
  return index == 0 ? RunAction::Generate : RunAction::Send;
}
void TForm_VOSKE_XML::ChooseAction(RunAction action) { SetItemIndex(action_, action == RunAction::Generate ? 0 : 1); }

std::string TForm_VOSKE_XML::WorkbookPath() const { return NativePath(workbookPath_->text()); }
void TForm_VOSKE_XML::SetWorkbookPath(const std::string& path) { workbookPath_->setText(DisplayPath(path)); }
std::string TForm_VOSKE_XML::DestinationFolder() const { return NativePath(destinationFolder_->text()); }
void TForm_VOSKE_XML::SetDestinationFolder(const std::string& path) { destinationFolder_->setText(DisplayPath(path)); }
std::string TForm_VOSKE_XML::XmlFilePath() const { return NativePath(xmlFilePath_->text()); }
void TForm_VOSKE_XML::SetXmlFilePath(const std::string& path) { xmlFilePath_->setText(DisplayPath(path)); }
void TForm_VOSKE_XML::SetXmlFileEnabled(bool enabled) { xmlFilePath_->setEnabled(enabled); }

bool TForm_VOSKE_XML::ProxyChecked() const { return useProxy_->isChecked(); }
void TForm_VOSKE_XML::SetProxyEnabled(bool enabled) { useProxy_->setEnabled(enabled); }

void TForm_VOSKE_XML::SetMainButtonCaption(const Text& caption) { mainButton_->setText(ToQString(caption)); }
void TForm_VOSKE_XML::SetMainButtonEnabled(bool enabled) { mainButton_->setEnabled(enabled); }

void TForm_VOSKE_XML::SetApplicationTitle(const Text& title) { applicationTitle_ = ToQString(title); }
void TForm_VOSKE_XML::SetWindowCaption(const Text& caption) { setWindowTitle(ToQString(caption)); }
void TForm_VOSKE_XML::ShowStatusLine() { statusLine_->setVisible(true); }

std::optional<Text> TForm_VOSKE_XML::AskOxrPassword() {
  TForm_Senha_OXR dialog(this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Password();
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

std::optional<std::string> TForm_VOSKE_XML::PickFile(const Text& filter, const std::string& startFolder) {
  PrepareFilePicker(*fileDialog_, QtFileFilter(ToQString(filter)), DisplayPath(startFolder));
  if (fileDialog_->exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = fileDialog_->selectedFiles();
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

void TForm_VOSKE_XML::OpenUrl(const std::string& url, std::function<void(const std::string& reason)> failed) {
  OpenInBrowser(this, QString::fromStdString(url),
                [failed = std::move(failed)](const QString& reason) { failed(reason.toStdString()); });
}

void TForm_VOSKE_XML::Close() { close(); }

}  // namespace voske
