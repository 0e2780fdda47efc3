// The main window as the presenter sees it: fields read and written, the
// small dialogs shown, the browser opened.
#include "entry-win32/form.h"  // windows.h before the system's other headers
#include <commdlg.h>
#include <shellapi.h>

#include <functional>

#include "entry-win32/control_ids.h"
#include "entry-win32/folder_dialog.h"
#include "entry-win32/main_form.h"
#include "entry-win32/password_dialog.h"
#include "entry-win32/win32_text.h"

namespace voske::win32 {

int MainForm::ItemIndex(int comboId) const {
  HWND combo = Control(comboId);
  const std::wstring shown = WindowText(combo);
  const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring item(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<size_t>(length));
    // Exactly the item, case and all: a text typed otherwise is no item.
    if (item == shown) return static_cast<int>(i);
  }
  return -1;
}

// The lists hold their items in the order of the enums: "Dados cadastrais",
// "Dados financeiros"; "Geração do arquivo XML", "Envio para a OXR".
std::optional<DocumentKind> MainForm::ChosenDocument() const {
  const int index = ItemIndex(control::kDocumentChoice);
  if (index < 0) return std::nullopt;
  return index == 0 ? DocumentKind::Cadastral : DocumentKind::Financeiro;
}
// Choosing from the program sends no notice: no handler runs.
void MainForm::ChooseDocument(DocumentKind document) {
  ::SendMessageW(Control(control::kDocumentChoice), CB_SETCURSEL, document == DocumentKind::Cadastral ? 0 : 1, 0);
}
std::optional<RunAction> MainForm::ChosenAction() const {
  const int index = ItemIndex(control::kAction);
  if (index < 0) return std::nullopt;
  return index == 0 ? RunAction::Generate : RunAction::Send;
}
void MainForm::ChooseAction(RunAction action) {
  ::SendMessageW(Control(control::kAction), CB_SETCURSEL, action == RunAction::Generate ? 0 : 1, 0);
}

std::string MainForm::WorkbookPath() const { return Utf8Path(WindowText(Control(control::kWorkbookPath))); }
void MainForm::SetWorkbookPath(const std::string& path) {
  ::SetWindowTextW(Control(control::kWorkbookPath), WidePath(path).c_str());
}
std::string MainForm::DestinationFolder() const {
  return Utf8Path(WindowText(Control(control::kDestinationFolder)));
}
void MainForm::SetDestinationFolder(const std::string& path) {
  ::SetWindowTextW(Control(control::kDestinationFolder), WidePath(path).c_str());
}
std::string MainForm::XmlFilePath() const { return Utf8Path(WindowText(Control(control::kXmlFilePath))); }
void MainForm::SetXmlFilePath(const std::string& path) {
  ::SetWindowTextW(Control(control::kXmlFilePath), WidePath(path).c_str());
}
void MainForm::SetXmlFileEnabled(bool enabled) { ::EnableWindow(Control(control::kXmlFilePath), enabled); }

bool MainForm::ProxyChecked() const {
  return ::SendMessageW(Control(control::kUseProxy), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void MainForm::SetProxyEnabled(bool enabled) { ::EnableWindow(Control(control::kUseProxy), enabled); }

void MainForm::SetMainButtonCaption(const Text& caption) {
  ::SetWindowTextW(Control(control::kMainButton), Wide(caption).c_str());
}
void MainForm::SetMainButtonEnabled(bool enabled) { ::EnableWindow(Control(control::kMainButton), enabled); }

void MainForm::SetApplicationTitle(const Text& title) { applicationTitle_ = Wide(title); }
void MainForm::SetWindowCaption(const Text& caption) { ::SetWindowTextW(Handle(), Wide(caption).c_str()); }
void MainForm::ShowStatusLine() { ::ShowWindow(Control(control::kStatusLine), SW_SHOW); }

std::optional<Text> MainForm::AskOxrPassword() {
  PasswordForm dialog(Handle());
  return dialog.Ask();
}

void MainForm::ShowProxyDialog() {
  if (!proxyDialog_) {
    MainWindowPresenter* p = presenter_.get();
    proxyDialog_ = std::make_unique<ProxyForm>([p](const ProxySettings& typed) { return p->ConfirmProxy(typed); },
                                               Handle());
  }
  proxyDialog_->ShowModal();
}

void MainForm::ReleaseProxyDialog() { proxyDialog_.reset(); }

std::optional<std::string> MainForm::PickFile(const Text& filter, const std::string& startFolder) {
  const std::wstring filters = OpenDialogFilter(Wide(filter));
  const std::wstring folder = WidePath(startFolder);
  std::wstring file(32768, L'\0');
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Handle();
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  // Opens where the presenter says the files are, with no name typed.
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // The current folder stays what it was: the Java client's relative names
  // are resolved against it.
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
              OFN_ENABLESIZING;
  if (!::GetOpenFileNameW(&ofn)) return std::nullopt;
  file.resize(::wcslen(file.c_str()));
  return Utf8Path(file);
}

std::optional<std::string> MainForm::PickFolder(const std::string& startFolder) {
  // Made for this press only and without owner, as the folder dialog always was.
  FolderForm dialog(startFolder);
  const std::string chosen = dialog.Choose();
  if (chosen.empty()) return std::nullopt;
  return chosen;
}

void MainForm::OpenUrl(const std::string& url, std::function<void(const std::string& reason)> failed) {
  // The system's default browser; a machine without one would otherwise
  // swallow the click silently. The shell answers at once, so the reason
  // goes to the presenter at once.
  const HINSTANCE result =
      ::ShellExecuteW(Handle(), L"open", WidePath(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(result) <= 32) failed("Nenhum navegador abriu o endereço " + url + ".");
}

void MainForm::Close() {
  if (!presenter_->FormCloseQuery()) return;
  presenter_->FormClose();
  EndModal(IDOK);
}

}  // namespace voske::win32
