#pragma once
// The main window's workflow, free of any GUI toolkit: start-up, the mode
// switch, the checks and password step of the main button, then generation
// or sending, the status page and closing. The desktop form forwards each
// event to the handler named for it and shows what it is told.
#include <string>

#include "generation/run_generation.h"
#include "port/front_end.h"
#include "text/program_version.h"
#include "text/text.h"
#include "workflow/main_window_view.h"
#include "workflow/proxy_settings.h"
#include "workflow/run_checks.h"
#include "port/transmission_port.h"

namespace voske {

// The display name of the operating system in the caption: the Windows
// version on Windows ("VOSKE-XML 3.3 {Windows 10 - JRE 17}"); on Linux it is
// empty, so the caption reads "VOSKE-XML 3.3 { - JRE 17}".
Text OsName();

// The regulator's page where the operator follows its sendings.
std::string StatusPageUrl();

class MainWindowPresenter {
 public:
  MainWindowPresenter(MainWindowView& view, FrontEnd& frontEnd, TransmissionPort& transmission,
                      GenerationServices services);

  // Window creation: combo boxes and mode, title, caption with the Java
  // version, status line, then the Java VM start-up through the port.
  void FormCreate();
  // Mode switch, on every change of the action: generation mode for
  // "Geração do arquivo XML", send mode for anything else (sending, or a
  // typed text that is no item).
  void ActionChanged();
  // Shows the proxy dialog when the box has just been checked.
  void ProxyBoxClicked();
  // The main button: checks, password, then generation or sending.
  void GenerateOrSend();
  void OpenStatusPage();       // the regulator's page in the browser
  void PickWorkbook();         // the workbook, through the file-open dialog
  void PickXmlFile();          // the XML file to send
  void PickDestinationFolder();  // the folder dialog
  // Frees the proxy dialog and closes the window; refused while a run goes on.
  void Quit();
  // Whether the window may close now. A generation lets the window handle
  // events between worksheets, and a sending runs off the window's thread,
  // so the user can ask to close it midway; closing then would tear the
  // window down under the running work, so the request is refused until the
  // run ends, and the status line says so.
  bool FormCloseQuery();
  // The window is closing: the Java environment of this window is released.
  void FormClose();

  // The proxy dialog's "Confirmar": checks the four fields, then stores
  // them. False (and one error shown) when a field is blank.
  bool ConfirmProxy(const ProxySettings& typed);
  void SetProxyServer(const Text& value) { proxy_.server = value; }
  void SetProxyPort(const Text& value) { proxy_.port = value; }
  void SetProxyUser(const Text& value) { proxy_.user = value; }
  void SetProxyPassword(const Text& value) { proxy_.password = value; }
  const ProxySettings& Proxy() const { return proxy_; }

  void SetOxrPassword(const Text& password) { oxrPassword_ = password; }
  Text OxrPasswordUpper() const;

  const Text& ProgramVersion() const { return programVersion_; }
  // OutputPath: the file generated or sent by the last press.
  const std::string& OutputPath() const { return generation_.outputPath; }
  bool GenerationFailed() const { return generation_.generationFailed; }
  // A press of the main button is being handled.
  bool Running() const { return running_; }

 private:
  void Generate(const RunChoices& choices);
  void Send(const RunChoices& choices);

  MainWindowView& view_;
  FrontEnd& frontEnd_;
  TransmissionPort& transmission_;
  GenerationServices services_;

  ProxySettings proxy_;
  Text oxrPassword_;
  Text programVersion_;
  GenerationState generation_;
  bool running_ = false;
  RunAction runningAction_ = RunAction::Generate;
};

}  // namespace voske
