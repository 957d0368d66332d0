#include "core/data/spreadsheet_input.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <new>

#include "core/data/sheet_table.h"
#include "core/data/xls_reader.h"
#include "core/data/xlsx_reader.h"

namespace tavrel {

SpreadsheetError::SpreadsheetError(const std::string& detail)
    : InOutError(std::string(kSpreadsheetFailure) + (detail.empty() ? "" : "\n" + detail)) {}

WorkbookKind DetectWorkbookKind(std::string_view firstBytes) {
  if (firstBytes.substr(0, 4) == std::string_view("PK\x03\x04", 4) ||
      firstBytes.substr(0, 4) == std::string_view("PK\x05\x06", 4)) {
    return WorkbookKind::Zip;
  }
  if (firstBytes.substr(0, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) return WorkbookKind::Compound;
  return WorkbookKind::Unknown;
}

namespace {

struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

WorkbookKind KindOfFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) ThrowSpreadsheetError("Не удаётся открыть файл " + path);
  if (!S_ISREG(info.st_mode)) ThrowSpreadsheetError("Не является обычным файлом: " + path);
  std::unique_ptr<std::FILE, FileClose> file(std::fopen(path.c_str(), "rb"));
  if (!file) ThrowSpreadsheetError("Не удаётся открыть файл " + path);
  char head[8] = {};
  const std::size_t n = std::fread(head, 1, sizeof head, file.get());
  return DetectWorkbookKind(std::string_view(head, n));
}

}  // namespace

void ReadSpreadsheet(const std::string& path, DataSet& d) {
  SheetTable table;
  try {
    switch (KindOfFile(path)) {
      case WorkbookKind::Zip:
        ReadXlsx(path, table);
        break;
      case WorkbookKind::Compound:
        ReadXls(path, table);
        break;
      case WorkbookKind::Unknown:
        ThrowSpreadsheetError("Файл не является книгой Excel");
    }
    table.Store(d);
  } catch (const SpreadsheetError&) {
    throw;
  } catch (const TavrelError& e) {
    ThrowSpreadsheetError(e.what());
  } catch (const std::bad_alloc&) {
    ThrowSpreadsheetError("Недостаточно памяти для таблицы");
  }
}

}  // namespace tavrel
