#include "data/results_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "data/dataset.h"
#include "data/errors.h"
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
  EXPECT_EQ(test::MaskDateTime(WriteReport([] { WriteTitle("/data/Pulse.TXT", "Tavrel 1.0.0.1", ""); })), head);
  EXPECT_EQ(test::MaskDateTime(WriteReport([] { WriteTitle("/data/Pulse.TXT", "Tavrel 1.0.0.1", "Логарифм"); })),
            head + "\r\n Обработка данных: \r\nЛогарифм\r\n");
  const std::string raw = WriteReport([] { WriteTitle("f", "t", ""); });
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
  EXPECT_EQ(WriteReport(WriteVarList), "\r\n Переменные:\r\n V1 V2 V3 V4 V5 V6 V7\r\n\r\n\r\n");
  ResetDataSet();
  Names(8);
  EXPECT_EQ(WriteReport(WriteVarList), "\r\n Переменные:\r\n V1 V2 V3 V4 V5 V6 V7\r\n V8\r\n\r\n");
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

}  // namespace
}  // namespace tavrel
