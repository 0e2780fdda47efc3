// Work run off the window's thread: its reports reach the window on the
// window's thread, in order, each before the work goes on; the window handles
// its events meanwhile; a failure of the work comes back to the caller.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <stdexcept>
#include <thread>

#include "support/recording_front_end.h"
#include "text/cp1252.h"
#include "workflow/window_thread_relay.h"
#include "support/wait.h"

namespace voske {
namespace {

using support::RecordingFrontEnd;
using support::Utf8Texts;

// A question asked from the work (the findings before a sending) is put to
// the window, on its thread, and its answer returns to the work.
TEST(WindowThreadRelay, QuestionsAndDetailsReachTheWindow) {
  struct Window : RecordingFrontEnd {
    std::vector<std::thread::id> askedOn;
    std::vector<Text> detailsSeen;
    bool Confirm(const Text&, const Text&, const std::vector<Text>& details) override {
      askedOn.push_back(std::this_thread::get_id());
      detailsSeen = details;
      return false;
    }
    void ShowMessageWithDetails(const Text& text, MessageIcon icon, const Text& caption,
                                const std::vector<Text>& details) override {
      askedOn.push_back(std::this_thread::get_id());
      detailsSeen = details;
      RecordingFrontEnd::ShowMessage(text, icon, caption);
    }
    // Findings reach the window as a list, its way to save them included.
    void ShowFindings(const Text&, MessageIcon, const Text&, const FindingList& findings) override {
      askedOn.push_back(std::this_thread::get_id());
      savable += findings.save ? 1 : 0;
    }
    bool ConfirmFindings(const Text&, const Text&, const FindingList& findings) override {
      askedOn.push_back(std::this_thread::get_id());
      savable += findings.save ? 1 : 0;
      return true;
    }
    int savable = 0;
  } window;
  bool answer = true, answerFindings = false;
  FindingList findings{{{Ansi("Listas"), Ansi("C3: ..."), Ansi("Aviso: Listas!C3: ...")}},
                       [](const std::string&) { return std::optional<Text>(); }, ""};
  RunOffWindowThread(window, [&](FrontEnd& reports) {
    answer = reports.Confirm(Ansi("Enviar mesmo assim?"), Ansi("Confirmação"), {Ansi("Aviso: um")});
    reports.ShowMessageWithDetails(Ansi("fim"), MessageIcon::Information, Ansi("Informação"), {Ansi("Aviso: dois")});
    answerFindings = reports.ConfirmFindings(Ansi("Enviar mesmo assim?"), Ansi("Confirmação"), findings);
    reports.ShowFindings(Ansi("fim"), MessageIcon::Warning, Ansi("Informação"), findings);
  });
  EXPECT_FALSE(answer);
  EXPECT_TRUE(answerFindings);
  EXPECT_EQ(window.askedOn, std::vector<std::thread::id>(4, std::this_thread::get_id()));
  EXPECT_EQ(window.detailsSeen, std::vector<Text>{Ansi("Aviso: dois")});
  EXPECT_EQ(window.savable, 2);
}

TEST(WindowThreadRelay, ReportsArriveInOrderOnTheWindowThreadWhileItHandlesEvents) {
  RecordingFrontEnd window;
  const std::thread::id windowThread = std::this_thread::get_id();
  std::vector<std::thread::id> reportThreads;
  window.onMessage = [&] { reportThreads.push_back(std::this_thread::get_id()); };
  std::atomic<int> handled{0};
  window.onProcessEvents = [&] { ++handled; };

  std::thread::id workThread;
  int messagesSeenByWork = -1;
  RunOffWindowThread(window, [&](FrontEnd& reports) {
    workThread = std::this_thread::get_id();
    // The window is alive while we work.
    EXPECT_TRUE(support::WaitUntil([&] { return handled >= 2; })) << "the window handled no events";
    reports.SetBusy(true);
    reports.ShowError(Ansi("primeira"));
    // The message has been shown (and closed) before the work goes on.
    messagesSeenByWork = static_cast<int>(window.messages.size());
    reports.Status(Ansi("Status: no meio"));
    reports.ShowInformation(Ansi("segunda"));
    reports.SetBusy(false);
  });

  EXPECT_NE(workThread, windowThread);
  EXPECT_EQ(messagesSeenByWork, 1);
  EXPECT_EQ(reportThreads, (std::vector<std::thread::id>{windowThread, windowThread}));
  EXPECT_EQ(Utf8Texts(window.events), (std::vector<std::string>{"busy:on", "message:primeira", "status:Status: no meio",
                                                                "message:segunda", "busy:off"}));
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[1].caption, Ansi("Informação"));
}

TEST(WindowThreadRelay, AFailureOfTheWorkIsThrownToTheCallerAfterItsReports) {
  RecordingFrontEnd window;
  EXPECT_THROW(RunOffWindowThread(window,
                                  [](FrontEnd& reports) {
                                    reports.ShowError(Ansi("antes"));
                                    throw std::runtime_error("falhou");
                                  }),
               std::runtime_error);
  EXPECT_EQ(Utf8Texts(window.events), (std::vector<std::string>{"message:antes"}));
}

TEST(WindowThreadRelay, AReportThatFailsOnTheWindowDoesNotLeaveTheWorkWaiting) {
  RecordingFrontEnd window;
  window.onMessage = [] { throw std::runtime_error("janela"); };
  bool workEnded = false;
  EXPECT_THROW(RunOffWindowThread(window,
                                  [&](FrontEnd& reports) {
                                    reports.ShowError(Ansi("x"));
                                    workEnded = true;
                                  }),
               std::runtime_error);
  EXPECT_TRUE(workEnded);
}

}  // namespace
}  // namespace voske
