#include "core/data/csv_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "app/shell/program_session.h"
#include "core/base/errors.h"
#include "core/data/data_file_lines.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "test_support.h"

namespace tavrel {
namespace {

constexpr double M = -999;  // the missing-value code of these tests

class CsvReaderTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Data().EmptyValue = -999;
  }
  // Reads the text as a .csv file into a data set of its own.
  DataSet Read(const std::string& text, int pieces = 1) {
    FileText file = ReadWholeText(OpenDataFile(WriteFile("table.csv", text)));
    DataSet d;
    d.EmptyValue = -999;
    ReadCsvData(file, d, pieces);
    return d;
  }
  static std::vector<std::string> Names(const DataSet& d) { return {d.VarNames.begin(), d.VarNames.end()}; }
  static std::vector<std::vector<double>> Columns(const DataSet& d) {
    std::vector<std::vector<double>> out;
    for (const auto& column : d.DataValues) out.emplace_back(column.begin(), column.end());
    return out;
  }
};

std::string Utf16Le(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t c : text) bytes += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return bytes;
}

// What spreadsheets, devices and lab systems write, each read to the same table.
TEST_F(CsvReaderTest, ReadsTheDialectsInUse) {
  struct Case {
    const char* what;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"comma, decimal point, LF", "Pulse,Temp\n72,36.6\n-999,37.25\n"},
      {"semicolon, decimal comma, CR LF", "Pulse;Temp\r\n72;36,6\r\n-999;37,25\r\n"},
      {"semicolon, decimal point", "Pulse;Temp\n72;36.6\n-999;37.25\n"},
      {"tab, decimal comma, lone CR", "Pulse\tTemp\r72\t36,6\r-999\t37,25\r"},
      {"quotes everywhere", "\"Pulse\";\"Temp\"\n\"72\";\"36,6\"\n\"-999\";\"37,25\"\n"},
      {"UTF-8 mark, blanks around fields", "\xEF\xBB\xBFPulse , Temp\n 72 , 36.6\n-999,\t37.25 \n"},
      {"trailing delimiters, blank rows", "Pulse;Temp;\n\n72;36,6;\n;;\n-999;37,25;\n \n"},
      {"UTF-16 with its mark", Utf16Le(u"Pulse;Temp\r\n72;36,6\r\n-999;37,25\r\n")},
      {"no line end at the end", "Pulse,Temp\n72,36.6\n-999,37.25"},
  };
  for (const Case& c : cases) {
    const DataSet d = Read(c.text);
    EXPECT_EQ(Names(d), (std::vector<std::string>{"Pulse", "Temp"})) << c.what;
    EXPECT_EQ(Columns(d), (std::vector<std::vector<double>>{{72, M}, {36.6, 37.25}})) << c.what;
    EXPECT_EQ(d.NumObs, 2) << c.what;
    EXPECT_EQ(d.LastVar, 1) << c.what;
    EXPECT_EQ(std::vector<std::int32_t>(d.VarCounts.begin(), d.VarCounts.end()), (std::vector<std::int32_t>{2, 2}))
        << c.what;
  }
}

TEST_F(CsvReaderTest, EmptyFieldsAndShortRowsAreMissingValues) {
  const DataSet d = Read("A;B;C\n1;;3\n4\n\"\";5,5;\"6\"\n");
  EXPECT_EQ(Columns(d), (std::vector<std::vector<double>>{{1, 4, M}, {M, M, 5.5}, {3, M, 6}}));
}

TEST_F(CsvReaderTest, NamesAreCleanedAsEveryName) {
  // Quoted names may hold the delimiter, quotes and even a line break.
  const DataSet d = Read("\"Pulse rate\";\"a;b\";\"say \"\"hi\"\"\";;\"two\nlines\";Температура\n1;2;3;4;5;6\n");
  EXPECT_EQ(Names(d), (std::vector<std::string>{"Pulse_ra", "a;b", "say_\"hi\"", "Var4", "two_line", "Температ"}));
  // Windows-1251 names, as Excel on a Russian system saves them.
  EXPECT_EQ(Names(Read("\xCF\xF3\xEB\xFC\xF1;\xC0\xC4\n1;2\n")), (std::vector<std::string>{"Пульс", "АД"}));
}

TEST_F(CsvReaderTest, RefusesWhatIsNotATableOfNumbers) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"A;B\n1;2\n3;x7\n", "строка 3, столбец 2: «x7» не является числом"},
      {"A,B\n1,2\n1,5,2\n", "строка 3, столбец 3: значение «2» стоит правее последнего столбца с именем (2)"},
      {"A;B\n1;1.234,5\n", "строка 2, столбец 2: «1.234,5» не является числом"},
      {"A;B\n1;\"2\n3\";4\n", "строка 2, столбец 2: кавычка не закрыта до конца строки"},
      {"A;B\n1;\"2\"x\n", "строка 2, столбец 2: после закрывающей кавычки стоит «x»"},
      {"A;B\n1;1e309\n", "строка 2, столбец 2: «1e309» выходит за пределы допустимых чисел"},
      {"A;B\n1;05.01.2024\n", "строка 2, столбец 2: «05.01.2024» не является числом"},
  };
  for (const Case& c : cases) {
    try {
      Read(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const InOutError& e) {
      EXPECT_NE(std::string(e.what()).find("table.csv, " + c.message), std::string::npos) << e.what();
    }
  }
  std::string wide;
  for (int c = 0; c < kMaxCsvColumns + 1; ++c) wide += "V" + std::to_string(c) + ",";
  EXPECT_THROW(Read(wide + "\n1\n"), RangeError);
  wide.pop_back();
  EXPECT_NO_THROW(Read(wide.substr(0, wide.rfind(',')) + "\n1\n"));
}

TEST_F(CsvReaderTest, FindsTheDelimiterFromTheFirstLines) {
  struct Case {
    std::string text;
    char delimiter;
    bool decimalComma;
  };
  const std::vector<Case> cases = {
      {"A;B\n1,5;2\n", ';', true},
      {"A,B\n1.5,2\n", ',', false},
      {"A\tB\n1,5\t2\n", '\t', true},
      {"A,B;C\n1;2\n", ';', true},       // the names row alone would say ","
      {"\"x;y\",B\n1,2\n", ',', false},  // a delimiter inside quotes does not count
      {"A\n1,5\n", ';', true},           // one column: a decimal comma reads
  };
  for (const Case& c : cases) {
    const CsvDialect dialect = DetectCsvDialect(c.text);
    EXPECT_EQ(dialect.delimiter, c.delimiter) << c.text;
    EXPECT_EQ(dialect.decimalComma, c.decimalComma) << c.text;
  }
}

// The load every command uses takes a .csv file by its name, and a CSV file
// under another name by its contents; a text table stays a text table.
TEST_F(CsvReaderTest, TheLoadTakesCsvByNameOrContents) {
  ASSERT_TRUE(LoadDataFile(WriteFile("export.txt", "A;B\n1,5;2\n"), ProgramSession()).loaded);
  EXPECT_EQ(Data().DataValues[0][0], 1.5);
  ASSERT_TRUE(LoadDataFile(WriteFile("single.csv", "Pulse\n72\n\n75\n"), ProgramSession()).loaded);
  EXPECT_EQ(Data().NumObs, 2);
  ASSERT_TRUE(LoadDataFile(WriteFile("plain.dat", "A B\n1 2\n"), ProgramSession()).loaded);
  EXPECT_EQ(Data().NumVar, 2);
  const LoadOutcome bad = LoadDataFile(WriteFile("bad.csv", "A;B\n1;x\n"), ProgramSession());
  EXPECT_FALSE(bad.loaded);
  EXPECT_EQ(bad.warning.substr(0, bad.warning.find('\n')), kBadNumbers);
  EXPECT_NE(bad.warning.find("строка 2, столбец 2: «x» не является числом"), std::string::npos);
  for (const char* text : {"A B\n1 2\n", "A,B C\n1 2\n", "A;B\n1 2\n"}) EXPECT_FALSE(LooksLikeCsv(text)) << text;
}

// However a large file is cut into pieces, the table and the first failure
// are those of a reading in one go.
TEST_F(CsvReaderTest, ReadingInPiecesGivesTheTableOfAReadingInOneGo) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    std::string text = "A;B;C\r\n";
    const int rows = 1 + round * 7;
    for (int i = 0; i < rows; ++i) {
      for (int v = 0; v < 3; ++v) {
        const int kind = static_cast<int>(rng() % 6);
        text += kind == 0 ? "" : kind == 1 ? "\"" + std::to_string(rng() % 100) + ",5\"" : std::to_string(rng() % 1000);
        if (v < 2 && rng() % 9 != 0) text += ';';
      }
      text += rng() % 5 == 0 ? "\r\n\r\n" : "\n";
    }
    if (round % 4 == 3) text.insert(text.size() / 2, "x");
    std::string oneGo;
    DataSet whole;
    try {
      whole = Read(text, 1);
    } catch (const InOutError& e) {
      oneGo = e.what();
    }
    for (const int pieces : {2, 3, 8}) {
      try {
        const DataSet d = Read(text, pieces);
        EXPECT_EQ(oneGo, "") << pieces;
        EXPECT_EQ(Columns(d), Columns(whole)) << pieces;
      } catch (const InOutError& e) {
        EXPECT_EQ(e.what(), oneGo) << pieces;
      }
    }
  }
}

}  // namespace
}  // namespace tavrel
