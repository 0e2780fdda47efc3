#pragma once
// TForm_VOSKE_XML: the main window as a native Windows window. A thin view
// over MainWindowPresenter, as the Qt window is on Linux: it lays out the
// controls, forwards each event to the presenter's handler for it and shows
// what the presenter tells it. Each control's ID stands for its original
// component name (entry-win32/control_ids.h).
#include <memory>
#include <optional>
#include <string>

#include "entry-win32/form.h"
#include "entry-win32/proxy_dialog.h"
#include "entry-win32/window_front_end.h"
#include "generation/run_generation.h"
#include "port/transmission_port.h"
#include "workflow/main_window_presenter.h"
#include "workflow/main_window_view.h"

namespace voske::win32 {

class MainForm : public Form, public MainWindowView {
 public:
  // Builds the window and runs FormCreate, which may already show the Java
  // start-up messages. `transmission` must outlive the window.
  MainForm(TransmissionPort& transmission, GenerationServices services);
  ~MainForm() override;

  MainWindowPresenter& Presenter() { return *presenter_; }
  WindowFrontEnd& FrontEndPort() { return frontEnd_; }
  // "VOSKE-XML 3.3", as FormCreate set it.
  const std::wstring& ApplicationTitle() const { return applicationTitle_; }

  // MainWindowView.
  std::optional<DocumentKind> ChosenDocument() const override;
  void ChooseDocument(DocumentKind document) override;
  std::optional<RunAction> ChosenAction() const override;
  void ChooseAction(RunAction action) override;
  std::string WorkbookPath() const override;
  void SetWorkbookPath(const std::string& path) override;
  std::string DestinationFolder() const override;
  void SetDestinationFolder(const std::string& path) override;
  std::string XmlFilePath() const override;
  void SetXmlFilePath(const std::string& path) override;
  void SetXmlFileEnabled(bool enabled) override;
  bool ProxyChecked() const override;
  void SetProxyEnabled(bool enabled) override;
  void SetMainButtonCaption(const Text& caption) override;
  void SetMainButtonEnabled(bool enabled) override;
  void SetApplicationTitle(const Text& title) override;
  void SetWindowCaption(const Text& caption) override;
  void ShowStatusLine() override;
  std::optional<Text> AskOxrPassword() override;
  void ShowProxyDialog() override;
  void ReleaseProxyDialog() override;
  std::optional<std::string> PickFile(const Text& filter, const std::string& startFolder) override;
  std::optional<std::string> PickFolder(const std::string& startFolder) override;
  void OpenUrl(const std::string& url, std::function<void(const std::string& reason)> failed) override;
  void Close() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(int id, int code, HWND control) override;
  // The close box (and Alt+F4) asks the presenter first: refused while a run goes on.
  void OnCloseBox() override { Close(); }
  // The main window has no cancel button: Esc does not close it.
  void OnCancel() override {}
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  void BuildToolbar();
  void BuildFields();
  void BuildStatusBar();
  void PaintToolbar(HDC dc);
  // The item of a list whose text is the one shown, or -1 for a typed text
  // that is no item.
  int ItemIndex(int comboId) const;

  WindowFrontEnd frontEnd_;
  std::unique_ptr<MainWindowPresenter> presenter_;
  std::unique_ptr<ProxyForm> proxyDialog_;
  std::wstring applicationTitle_;
  HICON glyphs_[3] = {};
  HBRUSH toolbarBrush_ = nullptr;
  HWND tooltip_ = nullptr;
};

// The open dialog's filter from the window's "name|patterns" form
// ("Planilha Excel|*.xls;*.xlsx" gives "Planilha Excel (*.xls;*.xlsx)" and
// its patterns, each ended by a NUL, the whole by another).
std::wstring OpenDialogFilter(const std::wstring& filter);

}  // namespace voske::win32
