#include "core/data/results_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/data/dataset.h"
#include "test_support.h"

namespace tavrel {
namespace {

class ResultsFileTest : public test::EngineTest {
 protected:
  std::string WriteReport(const std::function<void()>& body) {
    const std::string path = TempPath("r.out");
    ResultsFile().Open(path, false);
    body();
    ResultsFile().Close();
    return test::ReadFile(path);
  }
  void Names(int count) {
    DataSet& d = Data();
    for (int i = 0; i < count; ++i) d.VarNames.push_back("V" + std::to_string(i + 1));
    d.NumVar = count;
    d.LastVar = count - 1;
  }
};

TEST_F(ResultsFileTest, ProposesTheDataFileNameWithOut) {
  EXPECT_EQ(ProposedResultsName("pulse.txt"), "pulse.out");
  EXPECT_EQ(ProposedResultsName("Pulse.Data.TXT"), "Pulse.Data.out");
  EXPECT_EQ(ProposedResultsName("noext"), "noext.out");
}

TEST_F(ResultsFileTest, JoinsTheDirectoryWithASeparatorAndKeepsCase) {
  EXPECT_EQ(ResultsFilePath("/home/u/Res", "Pulse.out"), "/home/u/Res/Pulse.out");
  EXPECT_EQ(ResultsFilePath("/home/u/Res/", "Pulse.out"), "/home/u/Res/Pulse.out");
  const std::string home = std::getenv("HOME");
  EXPECT_EQ(ResultsFilePath("", "p.out"), home + (home.back() == '/' ? "" : "/") + "p.out");
  EXPECT_EQ(AppendQuestion("/a/b/Pulse.out"), "Добавить в файл Pulse.out?");
}

TEST_F(ResultsFileTest, WritesTheTitleBlockWithAndWithoutANote) {
  const std::string rule(56, '_');
  const std::string head = "\r\n\r\n\"Tavrel 1.0.0.1\"\r\n" + rule +
                           "\r\n Дата: ДД.ММ.ГГГГ     Время: ЧЧ:ММ:СС\r\n Файл: /data/Pulse.TXT\r\n" + rule + "\r\n";
  const auto title = [&](const std::string& note) {
    const auto body = [&] { WriteTitle(ResultsFile(), "/data/Pulse.TXT", "Tavrel 1.0.0.1", note); };
    return test::MaskDateTime(WriteReport(body));
  };
  EXPECT_EQ(title(""), head);
  EXPECT_EQ(title("Логарифм"), head + "\r\n Обработка данных: \r\nЛогарифм\r\n");
  const std::string raw = WriteReport([] { WriteTitle(ResultsFile(), "f", "t", ""); });
  EXPECT_NE(raw.find(" Дата: "), std::string::npos);
  EXPECT_NE(test::MaskDateTime(raw), raw);  // the date line has the expected form
}

TEST_F(ResultsFileTest, RemembersWhereTheNewestReportStarts) {
  const std::string path = TempPath("r.out");
  const std::pair<bool, std::uint64_t> cases[] = {{false, 0}, {true, 8}, {true, 16}, {false, 0}};
  for (const auto& [append, start] : cases) {
    ResultsFile().Open(path, append);
    ResultsFile().WriteLn("report");
    ResultsFile().Close();
    EXPECT_EQ(ResultsFile().Path(), path);
    EXPECT_EQ(ResultsFile().ReportStart(), start) << append;
  }
}

TEST_F(ResultsFileTest, FailuresNameTheSystemErrorInRussian) {
  const std::pair<std::string, std::string> cases[] = {
      {TempPath("no-such-dir/r.out"), "Не удаётся открыть файл " + TempPath("no-such-dir/r.out") +
                                          ": нет такого файла или каталога"},
      {"/dev/full", "Ошибка записи в файл /dev/full: на устройстве не осталось места"}};
  for (const auto& [path, message] : cases) {
    try {
      ResultsFile().Open(path, false);
      ResultsFile().WriteLn("report");
      ResultsFile().Close();
      ADD_FAILURE() << path;
    } catch (const InOutError& e) {
      EXPECT_EQ(e.what(), message);
    }
  }
}

TEST_F(ResultsFileTest, ListsSevenNamesALine) {
  Names(7);
  const auto varList = [] { WriteVarList(ResultsFile(), Data()); };
  EXPECT_EQ(WriteReport(varList), "\r\n Переменные:\r\n V1 V2 V3 V4 V5 V6 V7\r\n\r\n\r\n");
  ResetDataSet();
  Names(8);
  EXPECT_EQ(WriteReport(varList), "\r\n Переменные:\r\n V1 V2 V3 V4 V5 V6 V7\r\n V8\r\n\r\n");
}

TEST_F(ResultsFileTest, AppendsOrRewrites) {
  const std::string path = WriteFile("r.out", "old\r\n");
  ResultsFile().Open(path, true);
  ResultsFile().WriteLn("new");
  ResultsFile().Close();
  EXPECT_EQ(test::ReadFile(path), "old\r\nnew\r\n");
  ResultsFile().Open(path, false);
  ResultsFile().WriteLn("only");
  ResultsFile().Close();
  EXPECT_EQ(test::ReadFile(path), "only\r\n");
}

TEST_F(ResultsFileTest, OpenAndWriteFailuresAreInputOutputFailures) {
  EXPECT_THROW(ResultsFile().Open(TempPath("no/such/dir/r.out"), false), InOutError);
  EXPECT_FALSE(ResultsFile().IsOpen());
  EXPECT_THROW(ResultsFile().WriteLn("x"), InOutError);
  ResultsFile().Open("/dev/full", false);
  EXPECT_THROW(
      {
        for (int i = 0; i < 100000; ++i) ResultsFile().WriteLn("a line that will not fit on a full device");
        ResultsFile().Close();
      },
      InOutError);
}

// Replacing a file never leaves it half-written: a write that fails part-way
// (a full disk, here a limit on the file size in a child process) keeps the old file.
TEST_F(ResultsFileTest, AReplacementTakesTheOldFilesPlaceOnlyWhenComplete) {
  const std::string path = WriteFile("r.out", "old\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    try {
      ResultsFile().Open(path, false);
      for (int i = 0; i < 100; ++i) ResultsFile().WriteLn("a line of the new report");
      ResultsFile().Close();
    } catch (const InOutError& e) {
      _exit(std::string(e.what()) == "Ошибка записи в файл " + path + ": файл слишком велик" ? 0 : 2);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(test::ReadFile(path), "old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1) << "a temporary file was left";

  // Complete: the new content, with the old file's permissions; a link stays a link.
  const std::string link = TempPath("link.out");
  ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
  ResultsFile().Open(link, false);
  ResultsFile().WriteLn("new");
  ResultsFile().Close();
  EXPECT_EQ(test::ReadFile(path), "new\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// A replacement killed part-way leaves its hidden temporary; the next one that
// completes removes it, but not one still being written or a file of another name.
TEST_F(ResultsFileTest, ACompletedReplacementRemovesWhatKilledOnesLeft) {
  const std::string path = WriteFile("r.out", "old\r\n");
  const std::string killed = WriteFile(".r.out.a1B2c3", "half a report");
  const std::string writing = WriteFile(".r.out.Zz9Yy8", "a report being written");
  const std::string others[] = {WriteFile(".r.out.a1B2c", "x"), WriteFile(".r.out.a1B2c3d", "x"),
                                WriteFile(".r.out.a1_2c3", "x"), WriteFile(".q.out.a1B2c3", "x")};
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  for (const std::string& f : {killed, others[0], others[1], others[2], others[3]})
    std::filesystem::last_write_time(f, old);
  ResultsFile().Open(path, false);
  ResultsFile().WriteLn("new");
  ResultsFile().Close();
  EXPECT_EQ(test::ReadFile(path), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(killed));
  EXPECT_TRUE(std::filesystem::exists(writing));
  for (const std::string& f : others) EXPECT_TRUE(std::filesystem::exists(f)) << f;
}

// Opening applies the rule of every output before anything is written.
TEST_F(ResultsFileTest, OpeningRefusesWhatTheOutputRuleRefuses) {
  const std::string data = WriteFile("days.out", "A\n1\n");
  const std::string fifo = TempPath("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  for (const bool append : {false, true}) {
    EXPECT_THROW(ResultsFile().Open(data, append, {data, {}}), InOutError) << append;
    EXPECT_THROW(ResultsFile().Open(fifo, append), InOutError) << append;
    EXPECT_FALSE(ResultsFile().IsOpen());
  }
  EXPECT_EQ(test::ReadFile(data), "A\n1\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2) << "a temporary file was left";
}

// A report that does not complete leaves the file as it was before it,
// appended to or replaced, and so does a write that fails part-way.
TEST_F(ResultsFileTest, AnAbandonedReportLeavesTheFileAsItWas) {
  const std::string path = WriteFile("r.out", "old\r\n");
  for (const bool append : {false, true}) {
    ResultsFile().Open(path, append);
    for (int i = 0; i < 10000; ++i) ResultsFile().WriteLn("a line of a report that fails");  // beyond any buffer
    ResultsFile().Abandon();
    EXPECT_FALSE(ResultsFile().IsOpen());
    EXPECT_EQ(test::ReadFile(path), "old\r\n") << append;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1) << "a temporary file was left";
  }
  ResultsFile().Abandon();  // nothing open: nothing happens

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    try {
      ResultsFile().Open(path, true);
      for (int i = 0; i < 100; ++i) ResultsFile().WriteLn("a line of the new report");
      ResultsFile().Close();
    } catch (const InOutError&) {
      _exit(0);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(test::ReadFile(path), "old\r\n");
}

// A character device is written as it is, never replaced by a file.
TEST_F(ResultsFileTest, ADeviceStaysADevice) {
  const std::string null = TempPath("null");
  if (!test::MakeDeviceNode(null)) GTEST_SKIP() << "device nodes are made only by the administrator";
  for (const bool append : {false, true}) {
    ResultsFile().Open(null, append);
    ResultsFile().WriteLn("report");
    ResultsFile().Close();
    EXPECT_TRUE(test::IsCharacterDevice(null)) << append;
    ResultsFile().Open(null, append);
    ResultsFile().WriteLn("report");
    ResultsFile().Abandon();
    EXPECT_TRUE(test::IsCharacterDevice(null)) << append;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1) << "a temporary file was left";
}

}  // namespace
}  // namespace tavrel
