// A sending from the window, through the embedded VM's interface to a
// stand-in VM library that answers slowly: the question asked first for a
// document with findings, and the window kept painting, busy and open while
// the answer is awaited.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "sample_workbook.h"
#include "support/files.h"
#include "support/paths.h"
#include "transmission/java_registry.h"
#include "transmission/java_transmission.h"
#include "window_fixture.h"

namespace voske::win32::test {
namespace {

namespace fs = std::filesystem;

// The sendings the stand-in VM received, one line each.
int SendsLogged(const fs::path& log) {
  int sends = 0;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) sends += line.rfind("send=", 0) == 0;
  return sends;
}

TEST(Win32Sending, AsksBeforeSendingFindingsAndStaysResponsiveWhileTheServiceAnswers) {
  const fs::path vm = support::BinaryDir() / "tests" / "stand-in-java" / "jvm.dll";
  if (!fs::exists(vm)) GTEST_SKIP() << "the stand-in VM library was not built: " << vm;
  support::ScratchDir scratch;
  const fs::path log = scratch.path() / "vm.log";
  ::SetEnvironmentVariableW(L"VOSKE_STAND_IN_VM_LOG", log.wstring().c_str());
  ::SetEnvironmentVariableW(L"VOSKE_STAND_IN_VM_DELAY_MS", L"4000");
  const fs::path client = scratch.path() / "ext" / "VOSKE";
  fs::create_directories(client);
  auto registry = std::make_unique<MemoryRegistry>();
  registry->AddKey(kJavaSoftKey);
  registry->SetString(kJreKey, "CurrentVersion", "17");
  registry->SetString(std::string(kJreKey) + "\\17", "RuntimeLib", vm.string());
  JavaTransmission transmission(std::move(registry), client.string());

  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Administradores"].Set("A5", "529.982.247-26");
  const fs::path workbook = scratch.path() / "planilha.xlsx";
  sample::WriteXlsx(wb, workbook.string());
  const fs::path destination = scratch.path() / "destino";
  fs::create_directories(destination);

  Robot::Message question, receipt;
  int sendsAfterNo = -1, ticks = 0, unanswered = 0;
  bool buttonEverEnabled = false, closedMidway = false;
  ShowMainWindow(transmission, [&](Robot& robot, HWND w) {
    auto press = [&](const wchar_t* password) {
      Robot::Click(w, id::kMainButton);
      HWND dialog = robot.WaitForWindow(L"TForm_Senha_OXR");
      Robot::Type(dialog, id::kOxrPassword, password);
      Robot::Click(dialog, id::kPasswordOk);
      robot.WaitGone(dialog);
    };
    Robot::Type(w, id::kWorkbookPath, Shown(workbook));
    Robot::Type(w, id::kDestinationFolder, Shown(destination));
    press(L"senha");
    robot.Answer();  // generated, with one warning
    ASSERT_EQ(support::FilesIn(destination).size(), 1u);
    const fs::path document = support::FilesIn(destination)[0];

    Choose(w, id::kAction, 1);
    Robot::Type(w, id::kXmlFilePath, Shown(document));
    press(L"senha");
    question = robot.Answer(L"&Não");
    sendsAfterNo = SendsLogged(log);

    press(L"senha");
    robot.Answer(L"&Sim");
    // While the service takes its time the window answers at once, keeps
    // its button disabled and refuses to close.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!robot.WaitForWindow(L"_TForm", std::chrono::milliseconds(1)) && std::chrono::steady_clock::now() < end) {
      ++ticks;
      // A window held by the sending would miss every second of the four;
      // a busy machine delays an answer by a fraction of one, and the beep
      // that opens the answer's message may hold wine's thread for a moment.
      if (!Robot::Answers(w, std::chrono::seconds(1))) ++unanswered;
      buttonEverEnabled = buttonEverEnabled || Robot::Enabled(w, id::kMainButton);
      ::PostMessageW(w, WM_CLOSE, 0, 0);
      closedMidway = closedMidway || !::IsWindowVisible(w);
      Sleep(20);
    }
    receipt = robot.Answer();
  });
  EXPECT_EQ(question.caption, L"Confirmação");
  EXPECT_NE(question.text.find(L"Enviar mesmo assim?"), std::wstring::npos);
  EXPECT_EQ(question.buttons, (std::vector<std::wstring>{L"&Sim", L"&Não"}));
  EXPECT_EQ(sendsAfterNo, 0);
  EXPECT_GE(ticks, 10);  // 4 s, looked at every 20 ms or so
  EXPECT_LE(unanswered, 1);
  EXPECT_FALSE(buttonEverEnabled);
  EXPECT_FALSE(closedMidway);
  EXPECT_EQ(receipt.caption, L"Informação");
  EXPECT_EQ(receipt.text.rfind(L"O recibo foi gerado na pasta: " + Shown(destination / "Recibo") + L"\r\n", 0), 0u)
      << std::string(receipt.text.begin(), receipt.text.end());
  EXPECT_EQ(SendsLogged(log), 1);
}

}  // namespace
}  // namespace voske::win32::test
