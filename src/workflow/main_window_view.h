#pragma once
// What the main window's workflow needs from the window itself. The desktop
// form implements it with real widgets; the tests implement it with plain
// fields. Texts shown to the user are
// Windows-1252; file and folder paths are native (UTF-8) strings as typed.
#include <functional>
#include <optional>
#include <string>

#include "port/document_kind.h"
#include "text/text.h"
#include "workflow/run_checks.h"

namespace voske {

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // The document and the action chosen in their lists; none when the user
  // has typed a text that is no item. Choosing from the program is not a
  // change made by the user: it runs no handler.
  virtual std::optional<DocumentKind> ChosenDocument() const = 0;
  virtual void ChooseDocument(DocumentKind document) = 0;
  virtual std::optional<RunAction> ChosenAction() const = 0;
  virtual void ChooseAction(RunAction action) = 0;

  // The workbook, the destination folder and the XML file to send.
  virtual std::string WorkbookPath() const = 0;
  virtual void SetWorkbookPath(const std::string& path) = 0;
  virtual std::string DestinationFolder() const = 0;
  virtual void SetDestinationFolder(const std::string& path) = 0;
  virtual std::string XmlFilePath() const = 0;
  virtual void SetXmlFilePath(const std::string& path) = 0;
  virtual void SetXmlFileEnabled(bool enabled) = 0;

  // The proxy box: its check mark, and whether it can be clicked.
  virtual bool ProxyChecked() const = 0;
  virtual void SetProxyEnabled(bool enabled) = 0;

  // The main button.
  virtual void SetMainButtonCaption(const Text& caption) = 0;
  virtual void SetMainButtonEnabled(bool enabled) = 0;

  // The application title and the window caption.
  virtual void SetApplicationTitle(const Text& title) = 0;
  virtual void SetWindowCaption(const Text& caption) = 0;
  // Makes the status line visible (its text is set through the FrontEnd port).
  virtual void ShowStatusLine() = 0;

  // The password dialog, shown modally: the text of its field when it ended
  // with OK (its OK refuses an empty field, see AcceptOxrPassword), nothing
  // when it was closed otherwise.
  virtual std::optional<Text> AskOxrPassword() = 0;
  // Shows the proxy dialog modally, creating it the first time and reusing
  // it after, so it shows what was typed before. On "Confirmar" it hands its
  // fields to MainWindowPresenter::ConfirmProxy.
  virtual void ShowProxyDialog() = 0;
  // Frees the proxy dialog if it exists; the next check creates a new one.
  virtual void ReleaseProxyDialog() = 0;

  // The file-open dialog with a filter ("Arquivo XML|*.xml"), opened at
  // `startFolder` with no file name typed: the chosen file, or nothing when
  // the user cancelled.
  virtual std::optional<std::string> PickFile(const Text& filter, const std::string& startFolder) = 0;
  // The folder dialog, opened at `startFolder`: the folder confirmed, or
  // nothing when it was closed.
  virtual std::optional<std::string> PickFolder(const std::string& startFolder) = 0;
  // Opens a web address in the browser. When no browser could open it,
  // `failed` is called with the reason, in Portuguese (UTF-8): at once, or
  // later on the window's thread, since a browser reports only once it has
  // tried. May also throw; the presenter reports that the same way.
  virtual void OpenUrl(const std::string& url, std::function<void(const std::string& reason)> failed) = 0;
  // Closes the window (ends the modal loop of the host's call).
  virtual void Close() = 0;
};

}  // namespace voske
