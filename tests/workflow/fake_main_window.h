#pragma once
// A main window made of plain fields, and a transmission double. Both write
// what they are told into the RecordingFrontEnd's event list, so a test sees
// window changes, status lines, cursor and messages in one order.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/recording_front_end.h"
#include "text/cp1252.h"
#include "workflow/main_window_view.h"
#include "port/transmission_port.h"

namespace voske::support {

class FakeMainWindow : public MainWindowView {
 public:
  explicit FakeMainWindow(RecordingFrontEnd& log) : log_(log) {}

  std::optional<DocumentKind> ChosenDocument() const override { return documentKind; }
  void ChooseDocument(DocumentKind d) override { documentKind = d; }
  std::optional<RunAction> ChosenAction() const override { return action; }
  void ChooseAction(RunAction a) override { action = a; }
  std::string WorkbookPath() const override { return workbookPath; }
  void SetWorkbookPath(const std::string& p) override { workbookPath = p; }
  std::string DestinationFolder() const override { return destinationFolder; }
  void SetDestinationFolder(const std::string& p) override { destinationFolder = p; }
  std::string XmlFilePath() const override { return xmlFilePath; }
  void SetXmlFilePath(const std::string& p) override { xmlFilePath = p; }
  void SetXmlFileEnabled(bool e) override {
    xmlFileEnabled = e;
    Log(e ? "xml:on" : "xml:off");
  }
  bool ProxyChecked() const override { return proxyChecked; }
  void SetProxyEnabled(bool e) override { proxyEnabled = e; }
  void SetMainButtonCaption(const Text& c) override { buttonCaption = c; }
  void SetMainButtonEnabled(bool e) override {
    buttonEnabled = e;
    Log(e ? "button:on" : "button:off");
  }
  void SetApplicationTitle(const Text& t) override { title = t; }
  void SetWindowCaption(const Text& c) override {
    captions.push_back(c);
    Log("caption:" + c);
  }
  void ShowStatusLine() override { statusVisible = true; }

  std::optional<Text> AskOxrPassword() override {
    ++passwordAsked;
    Log("password");
    return typedPassword;
  }
  void ShowProxyDialog() override {
    ++proxyDialogShown;
    if (onProxyDialog) onProxyDialog();
  }
  void ReleaseProxyDialog() override { Log("proxy:release"); }
  std::optional<std::string> PickFile(const Text& filter, const std::string& startFolder) override {
    filters.push_back(filter);
    fileStarts.push_back(startFolder);
    return pickedFile;
  }
  std::optional<std::string> PickFolder(const std::string& startFolder) override {
    folderStarts.push_back(startFolder);
    return pickedFolder;
  }
  std::vector<std::string> folderStarts, fileStarts;
  void OpenUrl(const std::string& url, std::function<void(const std::string&)> failed) override {
    urls.push_back(url);
    if (!urlFailure.empty()) failed(urlFailure);
  }
  void Close() override { Log("close"); }

  std::optional<DocumentKind> documentKind = DocumentKind::Cadastral;  // none: a typed text that is no item
  std::optional<RunAction> action = RunAction::Generate;
  std::string workbookPath, destinationFolder, xmlFilePath;
  bool xmlFileEnabled = true, proxyChecked = false, proxyEnabled = true, buttonEnabled = true,
       statusVisible = false;
  Text buttonCaption, title;
  std::vector<Text> captions, filters;
  std::optional<Text> typedPassword = Text("senha");
  int passwordAsked = 0, proxyDialogShown = 0;
  std::function<void()> onProxyDialog;
  std::optional<std::string> pickedFile, pickedFolder;
  std::vector<std::string> urls;
  std::string urlFailure;

 private:
  void Log(const Text& e) { log_.events.push_back(e); }
  RecordingFrontEnd& log_;
};

class FakeTransmission : public TransmissionPort {
 public:
  explicit FakeTransmission(RecordingFrontEnd& log) : log_(log) {}
  Text JavaVersion() override {
    log_.events.push_back("java:version");
    return version;
  }
  bool StartJavaVM(FrontEnd&) override {
    log_.events.push_back("java:start");
    return vmStarts;
  }
  void SendDocument(const SendRequest& request, FrontEnd& frontEnd) override {
    log_.events.push_back("java:send");
    sent.push_back(request);
    if (during) during(frontEnd);
    if (!reply.empty()) frontEnd.ShowInformation(reply);
  }
  void ReleaseJavaEnvironment() override { log_.events.push_back("java:release"); }

  Text version = "17";
  bool vmStarts = true;
  Text reply;
  std::vector<SendRequest> sent;
  std::function<void(FrontEnd&)> during;  // while the sending is in flight

 private:
  RecordingFrontEnd& log_;
};

}  // namespace voske::support
