// reader-bench [FILE.xlsx]: how fast the workbook reader reads the large
// workbook, and how much memory it takes, against the floor of inflating the
// same file with "unzip -p FILE > /dev/null". Without FILE the large workbook
// (four worksheets of 100,000 rows by 6 columns) is written first.
//
// reader-bench --xls: the same for the .xls reader, on the large workbook
// with 65,000 rows per worksheet (the format holds 65,536). Only a
// spreadsheet program writes .xls with formulas, so LibreOffice converts the
// .xlsx; without soffice the benchmark says so and is skipped. A FILE.xls
// given as FILE is read as it is.
//
// reader-bench --peers [FILE.xlsx]: the same, then the same file read by
// other readers of the field, each whole process timed: openpyxl (Debian's
// python3-openpyxl) and, when installed with
// "npm install --prefix BUILD/bench/peers xlsx", SheetJS. Every reader's time
// and peak memory is printed with its ratio to "unzip -p".
//
// reader-bench --once FILE: reads FILE once in this process and exits, for
// timing the whole process from outside ("/usr/bin/time -v", or paired with
// "unzip -p FILE" by a timer that runs both in turn).
//
// Each read runs in a child process of its own, so that its peak memory is
// the reader's alone and not the writer's or an earlier run's.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/program_arguments.h"
#include "large_workbook.h"
#include "support/peak_memory.h"
#include "workbook/workbook_file.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Measure {
  double seconds = 0;     // wall-clock time of the work itself
  double cpuSeconds = 0;  // user and system time of the whole child
  long cells = 0;
  long peakKiB = 0;
  bool ok = false;
};

// Each measured run is a child process of its own (support/peak_memory.h),
// given an hour at most.
constexpr std::chrono::hours kLimit{1};

// Runs `body` in a child process; it reports seconds and cells through a pipe.
template <typename Body>
Measure InChild(Body body) {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  const voske::support::ChildRun run = voske::support::MeasureInChild(
      [&] {
        ::close(fds[0]);
        Measure m;
        try {
          m = body();
          m.ok = true;
        } catch (const std::exception& e) {
          std::fprintf(stderr, "reader-bench: %s\n", e.what());
        }
        return ::write(fds[1], &m, sizeof m) == static_cast<ssize_t>(sizeof m) && m.ok;
      },
      kLimit);
  ::close(fds[1]);
  Measure m;
  const bool got = ::read(fds[0], &m, sizeof m) == static_cast<ssize_t>(sizeof m);
  ::close(fds[0]);
  if (!got || !run.Succeeded()) return {};
  m.peakKiB = run.peakKiB;
  m.cpuSeconds = run.cpuSeconds;
  return m;
}

Measure ReadAll(const std::string& path) {
  return InChild([&] {
    const auto t0 = Clock::now();
    auto book = voske::OpenWorkbookFile(path);
    std::vector<voske::WorksheetArray> arrays;  // kept, as a generation keeps them
    long cells = 0;
    for (std::size_t i = 0; i < book->SheetNames().size(); ++i) {
      arrays.push_back(book->ReadSheet(i));
      for (int r = 1; r <= arrays.back().Rows(); ++r)
        for (int c = 1; c <= arrays.back().Columns(); ++c) cells += !arrays.back().At(r, c).IsEmpty();
    }
    Measure m;
    m.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    m.cells = cells;
    return m;
  });
}

// "soffice --headless --convert-to xls": the .xls beside `xlsx`, or an empty
// text when LibreOffice is absent or fails. Its own profile folder keeps it
// apart from any LibreOffice the user has open.
std::string ConvertToXls(const std::filesystem::path& xlsx) {
  const std::filesystem::path dir = xlsx.parent_path();
  const std::string profile = "-env:UserInstallation=file://" + (dir / "lo-profile").string();
  const voske::support::ChildRun run = voske::support::MeasureProgram(
      "soffice", {"--headless", "--norestore", profile, "--convert-to", "xls", "--outdir", dir.string(), xlsx.string()},
      "/dev/null", "/dev/null", kLimit);
  if (!run.Succeeded()) return {};
  std::filesystem::path xls = xlsx;
  xls.replace_extension(".xls");
  return std::filesystem::exists(xls) ? xls.string() : std::string();
}

// A peer reader: a whole program, run on the file, timed from start to exit.
struct Peer {
  std::string name;
  std::vector<std::string> argv;
};

// A whole program run to its exit, its output thrown away: wall-clock time,
// CPU time and peak memory. The floor ("unzip -p FILE > /dev/null") and each
// peer are timed this way.
Measure RunProcess(const std::vector<std::string>& args) {
  const voske::support::ChildRun run = voske::support::MeasureProgram(
      args.front(), std::vector<std::string>(args.begin() + 1, args.end()), "/dev/null", "/dev/null", kLimit);
  Measure m;
  m.seconds = run.seconds;
  m.cpuSeconds = run.cpuSeconds;
  m.peakKiB = run.peakKiB;
  m.ok = run.Succeeded();
  return m;
}

// The peers present on this machine.
std::vector<Peer> FindPeers(const std::string& path) {
  std::vector<Peer> peers;
  // Debian's package serves the system's interpreter, which another one
  // first on the PATH may hide.
  std::string python;
  for (const char* candidate : {"python3", "/usr/bin/python3"})
    if (python.empty() &&
        std::system((std::string(candidate) + " -c 'import openpyxl' >/dev/null 2>&1").c_str()) == 0)
      python = candidate;
  if (!python.empty())
    peers.push_back({"openpyxl", {python, VOSKE_PEERS_DIR "/openpyxl_read.py", path}});
  else
    std::printf("openpyxl            not installed (python3-openpyxl)\n");
  if (std::filesystem::exists(VOSKE_PEERS_BUILD_DIR "/node_modules/xlsx") && std::system("node -e 0 >/dev/null 2>&1") == 0)
    peers.push_back({"SheetJS", {"node", VOSKE_PEERS_DIR "/sheetjs_read.js", VOSKE_PEERS_BUILD_DIR, path}});
  else
    std::printf("SheetJS             not installed (npm install --prefix %s xlsx)\n", VOSKE_PEERS_BUILD_DIR);
  return peers;
}

bool IsZip(const std::string& path) {
  char head[2] = {};
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  const bool zip = std::fread(head, 1, 2, f) == 2 && head[0] == 'P' && head[1] == 'K';
  std::fclose(f);
  return zip;
}

}  // namespace

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "reader-bench",
      "Uso: reader-bench [--xls] [--peers] [ARQUIVO]\n"
      "       reader-bench --once ARQUIVO\n"
      "Mede a leitura da pasta de trabalho grande (ou de ARQUIVO) contra \"unzip -p\";\n"
      "--xls lê a cópia .xls, --peers também mede openpyxl e SheetJS, --once só lê\n"
      "ARQUIVO uma vez, para medir o processo inteiro de fora.\n",
      {"--xls", "--peers", "--once"}, 0, 1};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  std::string path;
  bool once = false, xls = false, withPeers = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--once") once = true;
    else if (a == "--xls") xls = true;
    else if (a == "--peers") withPeers = true;
    else path = a;
  }
  if (once && (argc != 3 || path.empty())) {
    std::fprintf(stderr, "reader-bench: --once lê um ARQUIVO e nada mais\n%s", syntax.usage);
    return 2;
  }
  if (once) {
    try {
      auto book = voske::OpenWorkbookFile(path);
      std::vector<voske::WorksheetArray> arrays;  // kept, as a generation keeps them
      std::size_t cells = 0;
      for (std::size_t i = 0; i < book->SheetNames().size(); ++i) {
        arrays.push_back(book->ReadSheet(i));
        cells += arrays.back().StoredCells();
      }
      std::printf("%zu cells\n", cells);
      return 0;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "reader-bench: %s\n", e.what());
      return 1;
    }
  }
  std::filesystem::path scratch;
  if (path.empty()) {
    scratch = std::filesystem::temp_directory_path() / ("voske-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(scratch);
    path = (scratch / "large.xlsx").string();
    voske::bench::LargeWorkbookShape shape;
    if (xls) shape.rows = 65000;
    std::fprintf(stderr, "reader-bench: writing %s\n", path.c_str());
    const Measure written = InChild([&] {
      const auto t0 = Clock::now();
      voske::bench::WriteLargeWorkbook(path, shape);
      Measure m;
      m.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
      return m;
    });
    if (!written.ok) {
      std::fprintf(stderr, "reader-bench: cannot write the large workbook\n");
      return 1;
    }
    std::printf("written in %.2f s (%.1f MB on disk)\n", written.seconds,
                static_cast<double>(std::filesystem::file_size(path)) / 1e6);
    if (xls) {
      const auto t0 = Clock::now();
      const std::string converted = ConvertToXls(path);
      if (converted.empty()) {
        std::printf("reader-bench: skipped, LibreOffice (soffice) is needed to write the .xls workbook\n");
        std::filesystem::remove_all(scratch);
        return 0;
      }
      path = converted;
      std::printf("converted to .xls in %.2f s (%.1f MB on disk)\n",
                  std::chrono::duration<double>(Clock::now() - t0).count(),
                  static_cast<double>(std::filesystem::file_size(path)) / 1e6);
    }
  }
  // Inflating is the floor of a zip package only.
  const bool zip = IsZip(path);

  // Best of several runs: the machine is shared, and the best run is the
  // one least disturbed by others.
  const int runs = std::getenv("VOSKE_BENCH_RUNS") ? std::max(1, std::atoi(std::getenv("VOSKE_BENCH_RUNS"))) : 3;
  Measure floor, best;
  floor.seconds = floor.cpuSeconds = best.seconds = best.cpuSeconds = 1e9;
  long peak = 0;
  for (int i = 0; i < runs; ++i) {
    const Measure f = zip ? RunProcess({"unzip", "-p", path}) : Measure{};
    if (f.ok) {
      floor.ok = true;
      floor.seconds = std::min(floor.seconds, f.seconds);
      floor.cpuSeconds = std::min(floor.cpuSeconds, f.cpuSeconds);
    }
    const Measure m = ReadAll(path);
    if (!m.ok) {
      std::fprintf(stderr, "reader-bench: reading failed\n");
      return 1;
    }
    best.ok = true;
    best.cells = m.cells;
    best.seconds = std::min(best.seconds, m.seconds);
    best.cpuSeconds = std::min(best.cpuSeconds, m.cpuSeconds);
    peak = std::max(peak, m.peakKiB);
  }
  std::printf("file                %s\n", path.c_str());
  std::printf("cells read          %ld\n", best.cells);
  std::printf("read, best of %d     %.3f s wall, %.3f s CPU, %.0f cells/s\n", runs, best.seconds, best.cpuSeconds,
              static_cast<double>(best.cells) / best.seconds);
  std::printf("peak memory         %.1f MB\n", static_cast<double>(peak) / 1024.0);
  if (floor.ok) {
    std::printf("unzip -p floor      %.3f s wall, %.3f s CPU\n", floor.seconds, floor.cpuSeconds);
    std::printf("read / floor        %.2f wall, %.2f CPU (target: at most 1.5)\n", best.seconds / floor.seconds,
                best.cpuSeconds / floor.cpuSeconds);
  } else if (zip) {
    std::printf("unzip -p floor      unavailable (is unzip installed?)\n");
  }
  if (withPeers) {
    // One table: every reader, best of the same number of runs, whole
    // processes for the peers (their interpreters' start included).
    std::printf("\n%-12s %10s %10s %12s\n", "reader", "wall s", "peak MB", "x unzip -p");
    const auto row = [&](const char* name, double seconds, long peakKiB) {
      std::printf("%-12s %10.3f %10.1f %12s\n", name, seconds, static_cast<double>(peakKiB) / 1024.0,
                  floor.ok ? std::to_string(seconds / floor.seconds).substr(0, 5).c_str() : "-");
    };
    if (floor.ok) row("unzip -p", floor.seconds, 0);
    row("voske", best.seconds, peak);
    for (const Peer& p : FindPeers(path)) {
      Measure peerBest;
      peerBest.seconds = 1e9;
      for (int i = 0; i < runs; ++i) {
        const Measure m = RunProcess(p.argv);
        if (!m.ok) break;
        peerBest.ok = true;
        peerBest.seconds = std::min(peerBest.seconds, m.seconds);
        peerBest.peakKiB = std::max(peerBest.peakKiB, m.peakKiB);
      }
      if (peerBest.ok) row(p.name.c_str(), peerBest.seconds, peerBest.peakKiB);
      else std::printf("%-12s failed\n", p.name.c_str());
    }
  }
  if (!scratch.empty()) std::filesystem::remove_all(scratch);
  return 0;
}
