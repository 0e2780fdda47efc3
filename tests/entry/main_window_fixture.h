#pragma once
// The main window under test: a transmission double that records what the
// window asks of it, a password answerer for the dialog of every run, and
// the real widgets found by their component names.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "entry/main_form.h"
#include "entry/modal_watch.h"
#include "entry/password_dialog.h"
#include "entry/qt_app.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "port/transmission_port.h"

namespace voske::support {

class FakeTransmission : public TransmissionPort {
 public:
  Text JavaVersion() override { return version; }
  bool StartJavaVM(FrontEnd&) override {
    ++started;
    return startsVm;
  }
  void SendDocument(const SendRequest& request, FrontEnd& frontEnd) override {
    sent.push_back(request);
    if (onSend) onSend(frontEnd);
  }
  void ReleaseJavaEnvironment() override { ++released; }

  Text version = "17.0.15";
  bool startsVm = true;
  int started = 0;
  int released = 0;
  std::vector<SendRequest> sent;
  std::function<void(FrontEnd&)> onSend;
};

// Answers every password dialog that opens: types `password` and presses
// OK, or closes the dialog when there is no password to give.
class PasswordAnswer : public QObject {
 public:
  PasswordAnswer() {
    EnsureApp();  // its timer needs the application, even as a fixture member
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  std::optional<QString> password;
  int asked = 0;

 private:
  void Poll() {
    auto* dialog = qobject_cast<TForm_Senha_OXR*>(QApplication::activeModalWidget());
    // Each dialog is answered once (a new one may sit at the old one's address).
    if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool()) return;
    dialog->setProperty("answered", true);
    ++asked;
    if (password) {
      Widget<QLineEdit>(*dialog, "MaskEdit1")->setText(*password);
      Widget<QPushButton>(*dialog, "BitBtn3")->click();
    } else {
      dialog->close();
    }
  }
  QTimer timer_;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApp(); }

  // A window whose generations go to `services`; by default one that
  // records that a generation was started and reads nothing.
  TForm_VOSKE_XML& Window(GenerationServices services = {}) {
    if (!services.newReader) services = CountingServices();
    form = std::make_unique<TForm_VOSKE_XML>(transmission, std::move(services));
    return *form;
  }

  // A generation that fails on its first worksheet, after letting the test
  // look at the window while it runs.
  class FailingReader : public WorksheetReader {
   public:
    explicit FailingReader(std::function<void()> during) : during_(std::move(during)) {}
    void LoadWorksheet(WorksheetArray&, const std::string&, const Text&) override {
      if (during_) during_();
      throw EGenerica(Ansi("Planilha de teste sem dados."));
    }

   private:
    std::function<void()> during_;
  };

  GenerationServices CountingServices() {
    GenerationServices s;
    s.newReader = [this]() -> std::unique_ptr<WorksheetReader> {
      ++generations;
      return std::make_unique<FailingReader>(duringGeneration);
    };
    s.localTime = [] { return std::tm{}; };
    return s;
  }

  // Presses the main button as the user does.
  void Press() { Widget<QToolButton>(*form, "B_Gerar_Arquivo")->click(); }

  QString Status() const { return Widget<QLabel>(*form, "LB_Status")->text(); }

  FakeTransmission transmission;
  std::unique_ptr<TForm_VOSKE_XML> form;
  int generations = 0;
  std::function<void()> duringGeneration;
};

}  // namespace voske::support
