// A machine without a usable Java: the main window still generates, and
// only sending is refused, with the runtime's message at start-up and a
// clear one when a sending is asked for.
#include <gtest/gtest.h>

#include <filesystem>

#include "generated_document.h"
#include "generation/run_generation.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"
#include "transmission/installed_java.h"
#include "transmission/java_transmission.h"
#include "transmission/java_vm.h"
#include "workflow/fake_main_window.h"
#include "workflow/main_window_presenter.h"

namespace voske {
namespace {

namespace fs = std::filesystem;

TEST(WithoutJava, TheWindowGeneratesButRefusesToSend) {
  support::ScratchDir dir;
  fs::create_directories(dir / "saida");
  JavaSearchPlaces places;
  places.javaHome = (dir / "jdk-que-nao-existe").string();
  JavaTransmission transmission(std::make_unique<MemoryRegistry>(InstalledJavaRegistry(places)),
                                (dir / "ext" / "VOSKE").string());
  support::RecordingFrontEnd ui;
  support::FakeMainWindow window(ui);
  MainWindowPresenter presenter(window, ui, transmission, support::CadastralServices());

  presenter.FormCreate();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, RuntimeMissingMessage({"", ""}));
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(ui.messages[0].caption, "Erro");
  EXPECT_FALSE(window.xmlFileEnabled);
  EXPECT_EQ(window.captions.back(), "VOSKE-XML 3.3 {" + OsName() + " - JRE }");

  window.workbookPath = support::WriteSampleWorkbook(dir.path());
  window.destinationFolder = (dir / "saida").string();
  presenter.GenerateOrSend();
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, "XML gerado com sucesso.");
  ASSERT_FALSE(presenter.GenerationFailed());
  ASSERT_TRUE(fs::is_regular_file(presenter.OutputPath()));

  window.action = RunAction::Send;
  presenter.ActionChanged();
  window.xmlFilePath = presenter.OutputPath();
  presenter.GenerateOrSend();
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[2].text, NoJavaVmMessage());
  EXPECT_EQ(ui.messages[2].icon, MessageIcon::Error);
  EXPECT_FALSE(fs::exists(dir / "saida" / "Recibo"));
  EXPECT_FALSE(JavaVmRunning());
}

}  // namespace
}  // namespace voske
