#include "core/data/spreadsheet_input.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>

#include "core/base/system_error_text.h"
#include "core/data/data_input.h"
#include "core/data/ods_reader.h"
#include "core/data/sheet_table.h"
#include "core/data/xls_reader.h"
#include "core/data/xlsx_reader.h"
#include "core/data/zip_xml_stream.h"

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

// The container of the workbook at path, told by its first bytes; info
// receives the file's state before it is read.
WorkbookKind KindOfFile(const std::string& path, struct stat& info) {
  if (stat(path.c_str(), &info) != 0)
    ThrowSpreadsheetError("Не удаётся открыть файл " + path + ": " + SystemErrorText(errno));
  if (!S_ISREG(info.st_mode)) ThrowSpreadsheetError("Не является обычным файлом: " + path);
  std::unique_ptr<std::FILE, FileClose> file(std::fopen(path.c_str(), "rb"));
  if (!file) ThrowSpreadsheetError("Не удаётся открыть файл " + path + ": " + SystemErrorText(errno));
  char head[8] = {};
  const std::size_t n = std::fread(head, 1, sizeof head, file.get());
  return DetectWorkbookKind(std::string_view(head, n));
}

// A workbook written meanwhile (cut short, grown, replaced) may have been read in part.
void CheckUnchanged(const std::string& path, const struct stat& before) {
  struct stat after {};
  if (stat(path.c_str(), &after) != 0 || after.st_ino != before.st_ino || after.st_dev != before.st_dev ||
      after.st_size != before.st_size || after.st_mtim.tv_sec != before.st_mtim.tv_sec ||
      after.st_mtim.tv_nsec != before.st_mtim.tv_nsec) {
    ThrowSpreadsheetError("Не удаётся прочитать файл " + path + ": " + kChangedWhileRead);
  }
}

}  // namespace

void ReadSpreadsheet(const std::string& path, const std::string& programDir, DataSet& d) {
  SheetTable table;
  try {
    struct stat before {};
    switch (KindOfFile(path, before)) {
      case WorkbookKind::Zip: {
        const ZipPackage package(path);
        if (IsOdsPackage(package)) {
          ReadOds(package, table);
        } else {
          ReadXlsx(package, table);
        }
        break;
      }
      case WorkbookKind::Compound:
        ReadXls(path, XlsReaderPath(programDir), table);
        break;
      case WorkbookKind::Unknown:
        ThrowSpreadsheetError("Файл не является книгой Excel");
    }
    CheckUnchanged(path, before);
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
