// MeasureInChild on Windows, which cannot fork: the test program starts
// itself again with a filter naming the current test alone, and with
// VOSKE_MEDIR_FILHO saying which MeasureInChild call of that test is to run
// its body. Every other call in the child returns at once, so the test walks
// up to that call as the parent did, setting up what the body uses.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "support/peak_memory.h"

namespace voske::support {
namespace {

constexpr const char* kChildVariable = "VOSKE_MEDIR_FILHO";
// The child's own exit statuses for the body's answer, apart from gtest's 0
// and 1, so that a child that never reached the call is not taken for one.
constexpr int kBodyTrue = 70, kBodyFalse = 71;

}  // namespace

ChildRun MeasureInChild(const std::function<bool()>& body, std::chrono::seconds limit) {
  static int calls = 0;  // MeasureInChild calls of this process so far
  const int call = calls++;
  if (const char* wanted = std::getenv(kChildVariable)) {
    if (std::atoi(wanted) != call) {
      ChildRun passedOver;  // another call of this test is the one measured
      passedOver.finished = true;
      passedOver.status = 0;
      return passedOver;
    }
    bool ok = false;
    try {
      ok = body();
    } catch (...) {
    }
    std::fflush(nullptr);
    std::_Exit(ok ? kBodyTrue : kBodyFalse);
  }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  if (!test) return {};
  ProcessSpec spec;
  const std::u8string program = CurrentProgram().u8string();
  spec.argv = {std::string(program.begin(), program.end()),
               std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name(),
               "--gtest_also_run_disabled_tests"};
  spec.environment = CurrentEnvironment();
  spec.environment.push_back(std::string(kChildVariable) + "=" + std::to_string(call));
  ChildProcess child(spec);
  if (!child.Started()) return {};
  ChildRun run = child.Wait(limit);
  if (run.finished) {
    if (run.status == kBodyTrue || run.status == kBodyFalse) {
      run.status = run.status == kBodyTrue ? 0 : 1;
    } else {
      run.finished = false;  // the child never reached this call, or crashed
      run.status = -1;
    }
  }
  return run;
}

}  // namespace voske::support
