// True/false and error cells of .xls workbooks: FreeXL reads them as whole
// numbers, so the reader program finds them in the file itself and the load
// refuses them as it does in .xlsx, naming the cell; and that search on
// damaged and hostile files.
#include "core/data/xls_boolerr_cells.h"

#include <gtest/gtest.h>

#include "app/shell/program_session.h"
#include "core/data/data_input.h"
#include "core/data/dataset.h"
#include "core/data/session.h"
#include "core/data/spreadsheet_input.h"
#include "test_support.h"
#include "xls_builder.h"

namespace tavrel {
namespace {

using test::BiffRecord;
using test::U32Bytes;
using test::XlsBoolErr;
using test::XlsCompoundFile;
using test::XlsFormulaResult;
using test::XlsNumber;
using test::XlsWorkbookStream;

// Names 1 and 2 in row 1, then row 2 with A2 = 5 and the cell B2 given.
std::string TwoColumns(const std::string& b2) {
  return XlsNumber(0, 0, 1) + XlsNumber(0, 1, 2) + XlsNumber(1, 0, 5) + b2;
}

class XlsBoolErrTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Config().IsZeroVarInput = true;
  }
};

struct KindCase {
  const char* what;
  std::string file;
  std::string detail;  // the second line of the message
};

TEST_F(XlsBoolErrTest, TrueFalseAndErrorCellsAreRefusedNamingTheCell) {
  const std::string logical = "Ячейка B2 содержит логическое значение, а не число";
  const KindCase cases[] = {
      {"true", XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsBoolErr(1, 1, 1, false)))), logical},
      {"false", XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsBoolErr(1, 1, 0, false)))), logical},
      {"#DIV/0!", XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsBoolErr(1, 1, 0x07, true)))),
       "Ячейка B2 содержит ошибку #DIV/0!"},
      {"#N/A", XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsBoolErr(1, 1, 0x2A, true)))),
       "Ячейка B2 содержит ошибку #N/A"},
      {"a formula whose value is true",
       XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsFormulaResult(1, 1, 1, 1)))), logical},
      {"a formula whose value is #VALUE!",
       XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsFormulaResult(1, 1, 2, 0x0F)))),
       "Ячейка B2 содержит ошибку #VALUE!"},
      {"in a stream kept in the mini stream",
       XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsBoolErr(1, 1, 0x24, true)), 0), "Workbook", true),
       "Ячейка B2 содержит ошибку #NUM!"},
      {"in a BIFF5 \"Book\" stream",
       XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsBoolErr(1, 1, 1, false))), "Book"), logical},
      {"an error further down",
       XlsCompoundFile(XlsWorkbookStream(
           3, 2, TwoColumns(XlsNumber(1, 1, 6)) + XlsNumber(2, 0, 7) + XlsBoolErr(2, 1, 0x2A, true))),
       "Ячейка B3 содержит ошибку #N/A"},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.what);
    const LoadOutcome out = LoadDataFile(WriteFile("book.xls", c.file), ProgramSession());
    EXPECT_FALSE(out.loaded);
    EXPECT_EQ(out.readerWarning, std::string(kSpreadsheetFailure) + "\n" + c.detail);
    EXPECT_EQ(out.warning, kNoNumbers);
    EXPECT_EQ(Data().NumVar, 0);
  }
}

// The numbers 1 and 0 stay numbers, and a true/false value in row 1 names its
// column as in .xlsx.
TEST_F(XlsBoolErrTest, NumbersOneAndZeroLoadAndATrueFalseNameIsItsText) {
  const std::string cells = XlsBoolErr(0, 0, 1, false) + XlsNumber(0, 1, 2) + XlsNumber(1, 0, 1) + XlsNumber(1, 1, 0);
  const LoadOutcome out =
      LoadDataFile(WriteFile("book.xls", XlsCompoundFile(XlsWorkbookStream(2, 2, cells))), ProgramSession());
  ASSERT_TRUE(out.loaded) << out.readerWarning;
  EXPECT_EQ(Data().VarNames, (std::vector<std::string>{"TRUE", "2"}));
  EXPECT_EQ(Data().DataValues[0][0], 1.0);
  EXPECT_EQ(Data().DataValues[1][0], 0.0);
}

std::vector<std::pair<int, int>> Cells(std::string_view file) {
  std::vector<std::pair<int, int>> out;
  for (const XlsBoolErrCell& c : FindBoolErrCells(file)) out.emplace_back(c.row, c.column);
  return out;
}

TEST(XlsBoolErrCellsTest, OnlyTheFirstSheetsOwnCellsCount) {
  // A chart inside the sheet, between its own BOF and EOF, holds a cell of its own.
  const std::string chart = BiffRecord(0x0809, std::string(16, '\0')) + XlsBoolErr(7, 7, 1, false) +
                            BiffRecord(0x000A, "");
  const std::string stream = XlsWorkbookStream(3, 2, XlsBoolErr(1, 1, 1, false) + chart + XlsBoolErr(2, 0, 7, true));
  EXPECT_EQ(Cells(XlsCompoundFile(stream)), (std::vector<std::pair<int, int>>{{1, 1}, {2, 0}}));
  // Records after the sheet's end belong to no sheet.
  std::string after = XlsWorkbookStream(2, 2, XlsBoolErr(1, 1, 1, false), 0) + XlsBoolErr(1, 0, 1, false);
  after.resize(4096, '\0');
  EXPECT_EQ(Cells(XlsCompoundFile(after)), (std::vector<std::pair<int, int>>{{1, 1}}));
}

// Every offset, length and chain of the file comes from the file: cut short,
// with any byte changed, with chains that loop or lead outside it, the search
// ends (with what it found, or nothing) and never reads out of bounds.
TEST(XlsBoolErrCellsTest, DamagedAndHostileFilesEndTheSearch) {
  const std::string good = XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsBoolErr(1, 1, 1, false))));
  const std::string mini =
      XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns(XlsBoolErr(1, 1, 1, false)), 0), "Workbook", true);
  ASSERT_EQ(Cells(good).size(), 1u);
  ASSERT_EQ(Cells(mini).size(), 1u);
  for (const std::string* file : {&good, &mini}) {
    for (std::size_t n = 0; n < file->size(); ++n) {
      const std::string cut = file->substr(0, n);
      FindBoolErrCells(cut);
    }
    for (std::size_t at = 0; at < file->size(); ++at) {
      for (const char value : {'\x00', '\x01', '\x7F', '\xFE', '\xFF'}) {
        std::string changed = *file;
        changed[at] = value;
        FindBoolErrCells(changed);
      }
    }
  }
  const auto with = [&](std::size_t at, std::uint32_t value) {
    std::string s = good;
    s.replace(at, 4, U32Bytes(value));
    return s;
  };
  const std::size_t fat = 512, header = 0;
  const std::pair<const char*, std::string> cases[] = {
      {"a stream chain that loops", with(fat + 4 * 3, 2)},
      {"a stream chain into itself", with(fat + 4 * 2, 2)},
      {"a directory chain that loops", with(fat + 4 * 1, 1)},
      {"a stream chain beyond the file", with(fat + 4 * 2, 5000)},
      {"a stream longer than the file", with(512 + 512 + 128 + 0x78, 0x7FFFFFFF)},
      {"a stream longer than its chain", with(512 + 512 + 128 + 0x78, 5000)},
      {"an allocation table beyond the file", with(header + 0x4C, 900)},
      {"more allocation sectors than the file holds", with(header + 0x2C, 0xFFFFFFFF)},
  };
  for (const auto& [what, file] : cases) {
    SCOPED_TRACE(what);
    EXPECT_TRUE(FindBoolErrCells(file).empty());
  }
}

}  // namespace
}  // namespace tavrel
