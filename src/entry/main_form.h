#pragma once
// TForm_VOSKE_XML: the main window. A thin view over MainWindowPresenter:
// it lays out the widgets, forwards each event to the presenter's handler
// for it and shows what the presenter tells it. Each widget's object name is
// its original component name (entry/component_names.h). Every rule (checks,
// messages, modes, the password step, generation and sending) lives in the
// presenter.
#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>
#include <string>

#include "entry/proxy_dialog.h"
#include "entry/window_front_end.h"
#include "generation/run_generation.h"
#include "workflow/main_window_presenter.h"
#include "workflow/main_window_view.h"
#include "port/transmission_port.h"

class QCheckBox;
class QComboBox;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;

namespace voske {

class TForm_VOSKE_XML : public QDialog, public MainWindowView {
  Q_OBJECT
 public:
  // Builds the window and runs FormCreate, which may already show the Java
  // start-up messages. `transmission` must outlive the window.
  TForm_VOSKE_XML(TransmissionPort& transmission, GenerationServices services, QWidget* parent = nullptr);
  ~TForm_VOSKE_XML() override;

  MainWindowPresenter& Presenter() { return *presenter_; }
  WindowFrontEnd& FrontEndPort() { return frontEnd_; }
  // The proxy dialog while it exists (created on the first check of the box).
  TfrmDlgProxy* ProxyDialog() const { return proxyDialog_; }
  // "VOSKE-XML 3.3", as FormCreate set it.
  const QString& ApplicationTitle() const { return applicationTitle_; }

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
  // The close box asks the presenter first: refused while a run goes on.
  void closeEvent(QCloseEvent* event) override;
  // The main window has no cancel button: Esc does not close it.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildToolbar();
  void BuildFields();
  void BuildStatusBar();
  void ConnectEvents();

  QFrame* toolbar_;
  QToolButton* mainButton_;
  QToolButton* statusPageButton_;
  QToolButton* quitButton_;
  QFrame* fields_;
  QLabel *documentLabel_, *actionLabel_, *workbookLabel_, *destinationLabel_, *xmlFileLabel_;
  QComboBox* documentKind_;
  QComboBox* action_;
  QCheckBox* useProxy_;
  QLineEdit* workbookPath_;
  QLineEdit* destinationFolder_;
  QLineEdit* xmlFilePath_;
  QToolButton *pickWorkbook_, *pickDestination_, *pickXmlFile_;
  QLabel* statusLine_;
  QStatusBar* statusBar_;
  QFileDialog* fileDialog_;

  WindowFrontEnd frontEnd_;
  std::unique_ptr<MainWindowPresenter> presenter_;
  QPointer<TfrmDlgProxy> proxyDialog_;
  QString applicationTitle_;
};

// Closes the completion lists a dialog's fields left open.
void HideCompletionLists(QWidget& dialog);

// The file-open dialog's filter from the window's "name|patterns" form
// ("Planilha Excel|*.xls;*.xlsx" gives "Planilha Excel (*.xls *.xlsx)").
QString QtFileFilter(const QString& filter);

}  // namespace voske
