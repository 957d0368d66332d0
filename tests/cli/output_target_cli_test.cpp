// Every command that writes a file follows one rule for its output: what it
// refuses at once, with which message, and what it writes how.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_fixture.h"

namespace tavrel {
namespace {

class OutputTargetCliTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    data_ = WriteFile("pulse", FortyDaysTable());  // no suffix: a picture's name could be the same
  }
  // Every command with an output, OUT standing for it.
  std::vector<std::string> Commands() const {
    const std::string report = TempPath("report.out");
    return {"save " + data_ + " OUT",
            "save " + data_ + " OUT --append",
            "prepare " + data_ + " OUT normalise",
            "stat elementary " + data_ + " OUT",
            "stat elementary " + data_ + " OUT --rewrite",
            "cluster " + data_ + " OUT",
            "cluster " + data_ + " OUT --rewrite",
            "cluster " + data_ + " " + report + " --save OUT",
            "graph sequential " + data_ + " OUT",
            "graph editor " + data_ + " OUT",
            "graph combined " + data_ + " OUT",
            "graph dendrogram " + data_ + " OUT",
            "graph cluster-dynamics " + data_ + " OUT",
            "graph distribution " + data_ + " OUT --vars AD",
            "graph scatter " + data_ + " OUT --vars Pulse,AD"};
  }
  // Runs command with OUT replaced by out; a run that waits on its output is
  // stopped after a while (exit code 124) rather than hanging the tests.
  int RunWith(std::string command, const std::string& out) {
    command.replace(command.find("OUT"), 3, out);
    return Run(command, "timeout 60 ");
  }
  std::string data_;
};

TEST_F(OutputTargetCliTest, TheDataFileIsNeverAnOutput) {
  const std::string original = test::ReadFile(data_);
  const std::string link = TempPath("link");
  ASSERT_EQ(symlink(data_.c_str(), link.c_str()), 0);
  const std::string detour = dir_.string() + "/../" + dir_.filename().string() + "/pulse";
  for (const std::string& command : Commands()) {
    for (const std::string& same : {data_, link, detour}) {
      EXPECT_EQ(RunWith(command, same), kOutputRefused) << command << " " << same;
      EXPECT_EQ(err_, "Файл результатов совпадает с файлом данных: " + same +
                          "\nЗапись в него испортила бы данные; укажите другое имя файла.\n")
          << command;
      EXPECT_EQ(test::ReadFile(data_), original) << command << " " << same;
      EXPECT_TRUE(std::filesystem::is_symlink(link));
    }
  }
  // Nor is a workbook turned into a text table.
  const std::string book = TempPath("pulse.xls");
  std::filesystem::copy_file(std::string(TAVREL_TEST_DATA) + "/spreadsheets/pulse.xls", book);
  const std::string workbook = test::ReadFile(book);
  EXPECT_EQ(Run("prepare " + book + " " + book + " normalise"), kOutputRefused);
  EXPECT_EQ(test::ReadFile(book), workbook);
}

// Refused at once, with the reason, and left as it was.
TEST_F(OutputTargetCliTest, WhatCannotBeWrittenIsRefusedAtOnce) {
  const std::string fifo = TempPath("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  const std::string readOnly = WriteFile("kept", "kept\r\n");
  ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
  const std::string directory = TempPath("directory");
  std::filesystem::create_directory(directory);
  const std::pair<std::string, std::string> targets[] = {
      {fifo, "это канал, а не файл"},
      {directory, "это каталог, а не файл"},
      {readOnly, "нет доступа"},
  };
  for (const std::string& command : Commands()) {
    for (const auto& [target, reason] : targets) {
      EXPECT_EQ(RunWith(command, target), kOutputRefused) << command << " " << target;
      EXPECT_EQ(err_, "Не удаётся открыть файл " + target + ": " + reason + "\n") << command;
    }
    EXPECT_EQ(test::ReadFile(readOnly), "kept\r\n") << command;
    EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << command;
    EXPECT_TRUE(std::filesystem::is_empty(directory)) << command;
    EXPECT_FALSE(std::filesystem::exists(TempPath("report.out"))) << command << ": written before the refusal";
  }
}

TEST_F(OutputTargetCliTest, ACharacterDeviceIsWrittenAndStaysADevice) {
  const std::string null = TempPath("null");
  if (!test::MakeDeviceNode(null)) GTEST_SKIP() << "device nodes are made only by the administrator";
  for (const std::string& command : Commands()) {
    EXPECT_EQ(RunWith(command, null), 0) << command << "\n" << err_;
    EXPECT_TRUE(test::IsCharacterDevice(null)) << command;
  }
  const std::string block = TempPath("block");
  ASSERT_TRUE(test::MakeDeviceNode(block, true));
  for (const std::string& command : Commands()) {
    EXPECT_EQ(RunWith(command, block), kOutputRefused) << command;
    EXPECT_EQ(err_, "Не удаётся открыть файл " + block + ": это блочное устройство, а не файл\n") << command;
  }
}

// The data table of a cluster run never goes to the run's own report, by any
// path, and the refusal comes before the report is written.
TEST_F(OutputTargetCliTest, TheSavedTableIsNeverTheReport) {
  const std::string report = WriteFile("report.out", "earlier results\r\n");
  const std::string detour = dir_.string() + "/../" + dir_.filename().string() + "/report.out";
  for (const std::string& table : {report, detour}) {
    for (const char* mode : {"", " --rewrite"}) {
      EXPECT_EQ(Run("cluster " + data_ + " " + report + " --save " + table + mode), kOutputRefused) << table << mode;
      EXPECT_EQ(err_, "Таблица данных не может быть записана в файл отчёта: " + table +
                          "\nУкажите для неё другое имя файла.\n");
      EXPECT_EQ(test::ReadFile(report), "earlier results\r\n") << table << mode;
    }
  }
}

// An analysis that fails part-way leaves the results file byte for byte as it
// was, whether the report was to be appended or to replace it.
TEST_F(OutputTargetCliTest, AFailedAnalysisLeavesTheResultsFileAsItWas) {
  const std::string constant = WriteFile("constant.txt", "A B\n5 1\n5 2\n5 3\n");
  const std::string report = TempPath("r.out");
  // (a statistics table that fails part-way is checked in the engine's tests,
  // where the failure can be made to happen)
  const std::pair<std::string, std::string> runs[] = {
      {"cluster " + constant + " " + report, "Ошибка нормирования: A имеет @=0"},
  };
  for (const auto& [command, message] : runs) {
    for (const char* mode : {"", " --rewrite"}) {
      WriteFile("r.out", "earlier results\r\n");
      EXPECT_EQ(Run(command + mode), kAnalysisFailed) << command << mode;
      EXPECT_NE(err_.find(message), std::string::npos) << err_;
      EXPECT_EQ(test::ReadFile(report), "earlier results\r\n") << command << mode;
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 6) << "a temporary file was left";
    }
  }
}

}  // namespace
}  // namespace tavrel
