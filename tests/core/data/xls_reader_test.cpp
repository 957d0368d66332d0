// The .xls reader program as the loading program sees it: missing, silent,
// killed or talking nonsense, and started while other threads run.
#include "app/shell/program_session.h"
#include "core/data/xls_reader.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/sheet_table.h"
#include "core/data/spreadsheet_input.h"
#include "test_support.h"

namespace tavrel {
namespace {

const std::string kPulse = std::string(TAVREL_TEST_DATA) + "/spreadsheets/pulse.xls";
const std::string kInterrupted = std::string(kSpreadsheetFailure) + "\nКнига Excel повреждена (чтение прервано)";

using Clock = std::chrono::steady_clock;

class XlsReaderTest : public test::EngineTest {
 protected:
  // A stand-in for the reader: a shell script that first leaves its process
  // id in PidPath(), then runs body.
  std::string FakeReader(const std::string& body) const {
    const std::string path = WriteFile("fake-reader", "#!/bin/sh\necho $$ >\"$0.pid\"\n" + body + "\n");
    chmod(path.c_str(), 0755);
    return path;
  }
  pid_t FakeReaderPid() const { return static_cast<pid_t>(std::stol(test::ReadFile(TempPath("fake-reader.pid")))); }

  // The message ReadXls fails with, "" when it succeeds.
  static std::string ReadXlsFailure(const std::string& reader, int silenceSeconds) {
    try {
      SheetTable table;
      ReadXls(kPulse, reader, table, silenceSeconds);
    } catch (const SpreadsheetError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(XlsReaderTest, AReaderProgramThatDoesNotStartIsNamedAndTheDataStay) {
  LoadText("A\n1\n2\n");
  const std::string dir = TempPath("programs") + "/";
  std::filesystem::create_directories(dir);
  const std::string reader = dir + kXlsReaderProgram;
  const std::pair<const char*, const char*> cases[] = {{"missing", "нет такого файла или каталога"},
                                                       {"not executable", "нет доступа"}};
  for (const auto& [what, reason] : cases) {
    SCOPED_TRACE(what);
    if (std::string(what) == "not executable") WriteFile("programs/tavrel-xls-reader", "#!/bin/sh\n");
    Data().ExeDir = dir;
    const auto start = Clock::now();
    const LoadOutcome out = LoadDataFile(kPulse, ProgramSession());
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(out.loaded);
    EXPECT_EQ(out.readerWarning, std::string(kSpreadsheetFailure) +
                                     "\nНе удаётся начать чтение книги: не запускается программа " + reader + ": " +
                                     reason);
    EXPECT_EQ(out.warning, kNoNumbers);
    EXPECT_EQ(Data().VarNames[0], "A");
    EXPECT_EQ(Data().NumObs, 2);
  }
}

struct BrokenReaderCase {
  const char* what;
  std::string body;
  std::string message;
};

// Whatever becomes of the reader (stopped by a limit of its own, silent, ending
// early or sending what the records do not allow), the load fails with the
// reader's message or the broken-off one, and the reader is gone and reaped.
TEST_F(XlsReaderTest, AReaderThatBreaksOffFailsTheLoadAndIsReaped) {
  const std::string header = "printf 'D\\003\\000\\000\\000\\001\\000'";  // 3 rows of 1 column
  const BrokenReaderCase cases[] = {
      {"silent beyond the limit", "exec sleep 30", kInterrupted},
      {"silent after a few cells", header + "; printf 'N12345678'; exec sleep 30", kInterrupted},
      {"killed, as by its memory or processor limit", header + "; kill -KILL $$", kInterrupted},
      {"crashed", header + "; kill -SEGV $$", kInterrupted},
      {"ended without the end record", header + "; exit 0", kInterrupted},
      {"an unknown record", header + "; printf 'X'", kInterrupted},
      {"a true/false value that is neither", header + "; printf 'L2'; exec sleep 30", kInterrupted},
      {"an error value longer than any cell", header + "; printf 'F\\377\\377\\377\\377'; exec sleep 30",
       kInterrupted},
      {"an empty sheet, then a failure status", "printf 'D\\000\\000\\000\\000\\000\\000Z'; exit 1", kInterrupted},
      {"a text longer than any cell", "printf 'E\\377\\377\\377\\377'; exec sleep 30", kInterrupted},
      {"its own failure", "printf 'E\\010\\000\\000\\000Ошиб'; exec sleep 30",
       std::string(kSpreadsheetFailure) + "\nОшиб"},
  };
  for (const BrokenReaderCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string reader = FakeReader(c.body);
    const auto start = Clock::now();
    EXPECT_EQ(ReadXlsFailure(reader, 1), c.message);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
    errno = 0;
    EXPECT_EQ(kill(FakeReaderPid(), 0), -1) << "the reader still runs or was not reaped";
    EXPECT_EQ(errno, ESRCH);
  }
}

// A refused cell ends the load, but a reader that has already sent everything
// is let finish its own exit (a sanitizer's leak check, say) rather than be
// killed in the middle of it; a reader still sending dies with the pipe.
TEST_F(XlsReaderTest, AReaderThatHasSentEverythingLeavesOnItsOwnAfterARefusal) {
  const std::string refused = "printf 'D\\003\\000\\000\\000\\001\\000N12345678N12345678F\\007\\000\\000\\000#DIV/0!";
  const std::string left = TempPath("left");
  const std::pair<const char*, std::string> cases[] = {
      {"finishing its exit", refused + "Z'; sleep 0.3; touch " + left},
      {"still sending", refused + "'; while :; do printf '0'; done"},
  };
  for (const auto& [what, body] : cases) {
    SCOPED_TRACE(what);
    const auto start = Clock::now();
    EXPECT_EQ(ReadXlsFailure(FakeReader(body), 5),
              std::string(kSpreadsheetFailure) + "\nЯчейка A3 содержит ошибку #DIV/0!");
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(900));
    errno = 0;
    EXPECT_EQ(kill(FakeReaderPid(), 0), -1) << "the reader still runs or was not reaped";
    EXPECT_EQ(errno, ESRCH);
  }
  EXPECT_TRUE(std::filesystem::exists(left)) << "the reader was killed before it could leave";
}

int forks = 0;

// The point of a reader program: a process with other threads running (the
// window system's, the helper thread) must not fork to read a workbook. The
// thread here allocates and throws all along; the loads must all succeed, and
// none of them may have forked this process.
TEST_F(XlsReaderTest, LoadsWhileAnotherThreadAllocatesAndThrowsWithoutForking) {
  static const int registered = pthread_atfork([] { ++forks; }, nullptr, nullptr);
  (void)registered;
  forks = 0;
  std::atomic<bool> stop{false};
  std::thread busy([&] {
    while (!stop.load()) {
      try {
        std::vector<double> scratch(1000, 1.0);
        throw std::runtime_error(std::to_string(scratch.size()));
      } catch (const std::runtime_error&) {
      }
    }
  });
  for (int round = 0; round < 20; ++round) {
    const LoadOutcome out = LoadDataFile(kPulse, ProgramSession());
    ASSERT_TRUE(out.loaded) << out.readerWarning;
    ASSERT_EQ(Data().NumVar, 3);
    ASSERT_EQ(Data().NumObs, 3);
  }
  stop = true;
  busy.join();
  EXPECT_EQ(forks, 0);
}

}  // namespace
}  // namespace tavrel
