// Binary Excel workbooks that FreeXL would read outside its memory, or
// allocate gigabytes for, are refused before it sees them, with the reason;
// workbooks within the format's limits still load.
#include "core/data/xls_workbook_check.h"

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
using test::U16Bytes;
using test::U32Bytes;
using test::XlsCompoundFile;
using test::XlsNumber;
using test::XlsWorkbookStream;

// Names 1 and 2 in row 1, then row 2 with A2 = 5 and B2 = 6.
std::string TwoColumns() { return XlsNumber(0, 0, 1) + XlsNumber(0, 1, 2) + XlsNumber(1, 0, 5) + XlsNumber(1, 1, 6); }

std::string Dimension(std::uint32_t rows, std::uint16_t columns) {
  return BiffRecord(0x0200, U32Bytes(0) + U32Bytes(rows) + U16Bytes(0) + U16Bytes(columns) + U16Bytes(0));
}

// The stream of a two-column sheet whose first DIMENSION record is replaced by dimension.
std::string WithDimension(const std::string& dimension, const std::string& cells = TwoColumns()) {
  std::string stream = XlsWorkbookStream(2, 2, cells, 0);
  const std::string original = Dimension(2, 2);
  stream.replace(stream.find(original), original.size(), dimension);
  stream.resize(std::max<std::size_t>(stream.size(), 4096), '\0');
  return stream;
}

class XlsWorkbookCheckTest : public test::EngineTest {
 protected:
  void ExpectRefused(const std::string& file, const std::string& reason) {
    EXPECT_EQ(XlsWorkbookFault(file), reason);
    const LoadOutcome out = LoadDataFile(WriteFile("book.xls", file), ProgramSession());
    EXPECT_FALSE(out.loaded);
    EXPECT_EQ(out.readerWarning, std::string(kSpreadsheetFailure) + "\n" + reason);
  }
};

// FreeXL converts a directory entry's name with the length the entry gives
// and reads past its own stack buffer.
TEST_F(XlsWorkbookCheckTest, ADirectoryNameLongerThanItsEntryIsRefused) {
  const std::string good = XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns()));
  EXPECT_EQ(XlsWorkbookFault(good), "");
  const std::size_t directory = 512 + 512;
  const std::pair<std::size_t, std::uint16_t> cases[] = {
      {directory + 0x40, 0xFF16},                   // the root entry, as the fuzzer found it
      {directory + 128 + 0x40, 66},                 // the workbook's entry, just too long
      {directory + 3 * 128 + 0x40, 64 * 1024 - 1},  // an unused entry
  };
  for (const bool oddMiniSectors : {false, true}) {  // FreeXL does not look at their size
    for (const auto& [at, length] : cases) {
      SCOPED_TRACE(at);
      std::string file = good;
      file.replace(at, 2, U16Bytes(length));
      if (oddMiniSectors) file.replace(0x20, 2, U16Bytes(0x7F7F));
      ExpectRefused(file, "Книга Excel повреждена (имя в каталоге файла длиннее допустимого)");
    }
  }
}

// FreeXL allocates a sheet's cells from its DIMENSION record (rows times
// columns in 32 bits, so a large product wraps to a small block it then
// writes past), from a record shorter than it reads, again for every further
// DIMENSION, and from the cells of a sheet without one.
TEST_F(XlsWorkbookCheckTest, SheetSizesBeyondTheFormatsAreRefused) {
  const std::string tooLarge = "Книга Excel повреждена (размеры листа больше допустимых)";
  const std::string tooMany = "Книга Excel слишком велика (в её листах больше 16 777 216 ячеек)";
  const std::string beyondIV = "Книга Excel повреждена (ячейка правее столбца IV)";
  // A MULRK of three cells starting in column IT (253) or IU (254).
  const auto mulRk = [](std::uint16_t column) {
    std::string data = U16Bytes(1) + U16Bytes(column);
    for (int i = 0; i < 3; ++i) data += U16Bytes(0) + U32Bytes(0x00000002);
    return BiffRecord(0x00BD, data + U16Bytes(column + 2));
  };
  const std::pair<const char*, std::pair<std::string, std::string>> cases[] = {
      {"rows that wrap the product", {WithDimension(Dimension(0x10000000, 16)), tooLarge}},
      {"more rows than a sheet has", {WithDimension(Dimension(65537, 2)), tooLarge}},
      {"more columns than a sheet has", {WithDimension(Dimension(2, 257)), tooLarge}},
      {"a DIMENSION cut short, as the fuzzer found it",
       {WithDimension(BiffRecord(0x0200, U16Bytes(1) + U16Bytes(1) + U16Bytes(0) + U16Bytes(1))),
        "Книга Excel повреждена (запись размеров листа коротка)"}},
      {"two full sheets' worth of DIMENSION records",
       {WithDimension(Dimension(65536, 256) + Dimension(65536, 256)), tooMany}},
      {"a cell in column 257", {WithDimension(Dimension(2, 2), TwoColumns() + XlsNumber(1, 256, 1)), beyondIV}},
      {"a MULRK running past column IV", {WithDimension(Dimension(2, 2), TwoColumns() + mulRk(254)), beyondIV}},
  };
  for (const auto& [what, c] : cases) {
    SCOPED_TRACE(what);
    ExpectRefused(XlsCompoundFile(c.first), c.second);
  }
  // The largest sheet, and a MULRK ending in column IV, are within the limits.
  EXPECT_EQ(XlsWorkbookFault(XlsCompoundFile(WithDimension(Dimension(65536, 256)))), "");
  EXPECT_EQ(XlsWorkbookFault(XlsCompoundFile(WithDimension(Dimension(2, 256), TwoColumns() + mulRk(253)))), "");
}

// Records and texts whose lengths FreeXL would follow out of its buffers.
TEST_F(XlsWorkbookCheckTest, RecordsAndTextsLongerThanTheirRoomAreRefused) {
  // A LABEL of 200 one-byte characters holding only 3.
  const std::string label = BiffRecord(0x0204, U16Bytes(1) + U16Bytes(1) + U16Bytes(0) + U16Bytes(200) + '\0' + "abc");
  std::string cut = XlsWorkbookStream(2, 2, TwoColumns(), 0);
  cut += BiffRecord(0x0203, std::string(14, '\0')).substr(0, 10);  // a record the stream's end cuts
  const std::pair<const char*, std::pair<std::string, std::string>> cases[] = {
      {"a text longer than its record",
       {XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns() + label)),
        "Книга Excel повреждена (текст длиннее своей записи)"}},
      {"a record longer than BIFF8 allows",
       {XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns() + BiffRecord(0x00EF, std::string(8225, '\0')), 0)),
        "Книга Excel повреждена (запись длиннее допустимого)"}},
      {"a record cut by the end of a mini stream",
       {XlsCompoundFile(cut, "Workbook", true), "Книга Excel повреждена (запись выходит за конец книги)"}},
      {"a stream that is no workbook",
       {XlsCompoundFile(std::string(4096, 'x')), "Книга Excel повреждена (поток книги не начинается её началом)"}},
  };
  for (const auto& [what, c] : cases) {
    SCOPED_TRACE(what);
    ExpectRefused(c.first, c.second);
  }
  // A container FreeXL would read differently from the check.
  std::string cutoff = XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns()));
  cutoff.replace(0x38, 4, U32Bytes(8192));
  ExpectRefused(cutoff, "Книга Excel повреждена (составной файл не читается)");
  // A document of another program, or an encrypted workbook, has no workbook stream.
  ExpectRefused(XlsCompoundFile(XlsWorkbookStream(2, 2, TwoColumns()), "EncryptedPackage"), kXlsNoWorkbook);
}

}  // namespace
}  // namespace tavrel
