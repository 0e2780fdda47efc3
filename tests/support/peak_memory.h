#pragma once
// Runs work in a child process and reports its peak resident size, its time
// and its CPU time, so that a test can bound the memory a read really takes
// (an address-space limit only shows whether an allocation failed, not what
// was used) and a benchmark can time a whole process. The one way the tests
// and the benchmarks (bench/) measure a child.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "support/process.h"

namespace voske::support {

// Runs `body` in a child process, which exits 0 when `body` returns true and
// 1 when it returns false or throws. On POSIX the child is a fork of the test;
// on Windows it is the same test program, started again to run this test
// alone, which runs `body` where the test reaches this call again.
ChildRun MeasureInChild(const std::function<bool()>& body, std::chrono::seconds limit);

// Runs `program` (a path, or a name looked up on the PATH) with `args`, its
// output and errors into the given files (an empty name throws that stream
// away).
inline ChildRun MeasureProgram(const std::string& program, const std::vector<std::string>& args,
                               const std::string& outFile, const std::string& errFile, std::chrono::seconds limit) {
  ProcessSpec spec;
  spec.argv.push_back(program);
  spec.argv.insert(spec.argv.end(), args.begin(), args.end());
  spec.environment = CurrentEnvironment();
  spec.output = outFile;
  spec.errors = errFile;
  ChildProcess child(spec);
  if (!child.Started()) return {};
  return child.Wait(limit);
}

}  // namespace voske::support
