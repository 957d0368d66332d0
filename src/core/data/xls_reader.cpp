#include "data/xls_reader.h"

#include <freexl.h>

#include <memory>

#include "data/numbers.h"
#include "data/sheet_table.h"

namespace tavrel {

namespace {

struct FreexlClose {
  void operator()(const void* handle) const { freexl_close(handle); }
};

std::string FreexlFailure(int code) {
  switch (code) {
    case FREEXL_FILE_NOT_FOUND:
      return "Не удаётся открыть файл";
    case FREEXL_INSUFFICIENT_MEMORY:
      return "Недостаточно памяти для книги";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
      return "В файле нет книги Excel (возможно, она защищена паролем)";
    default:
      return "Книга Excel повреждена (код FreeXL " + std::to_string(code) + ")";
  }
}

}  // namespace

void ReadXls(const std::string& path, SheetTable& table) {
  const void* raw = nullptr;
  const int opened = freexl_open(path.c_str(), &raw);
  std::unique_ptr<const void, FreexlClose> handle(raw);  // FreeXL wants closing even after a failed open
  if (opened != FREEXL_OK) ThrowSpreadsheetError(FreexlFailure(opened));

  unsigned int password = 0;
  if (freexl_get_info(raw, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED) {
    ThrowSpreadsheetError("Книга защищена паролем");
  }
  unsigned int sheets = 0;
  if (freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0) {
    ThrowSpreadsheetError("В книге нет листов");
  }
  if (freexl_select_active_worksheet(raw, 0) != FREEXL_OK) ThrowSpreadsheetError("Первый лист книги не читается");
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_worksheet_dimensions(raw, &rows, &columns) != FREEXL_OK) {
    ThrowSpreadsheetError("Первый лист книги не читается");
  }
  if (rows == 0 || columns == 0) return;
  // The last used cell bounds the table; a cell beyond the limits is refused before any room is taken.
  table.Visit(static_cast<std::int32_t>(std::min<unsigned>(rows, SheetTable::kMaxRows + 1u)), columns);
  table.Reserve(columns, static_cast<std::int32_t>(rows));

  for (unsigned int r = 0; r < rows; ++r) {
    const auto row = static_cast<std::int32_t>(r + 1);
    for (unsigned short c = 0; c < columns; ++c) {
      const int column = c + 1;
      FreeXL_CellValue cell;
      if (freexl_get_cell_value(raw, r, c, &cell) != FREEXL_OK) {
        ThrowSpreadsheetError("Ячейка " + CellReference(row, column) + " не читается");
      }
      const bool number = cell.type == FREEXL_CELL_INT || cell.type == FREEXL_CELL_DOUBLE;
      const double value = cell.type == FREEXL_CELL_INT ? cell.value.int_value
                           : cell.type == FREEXL_CELL_DOUBLE ? cell.value.double_value
                                                              : 0.0;
      const bool text = cell.type == FREEXL_CELL_TEXT || cell.type == FREEXL_CELL_SST_TEXT;
      const bool date =
          cell.type == FREEXL_CELL_DATE || cell.type == FREEXL_CELL_DATETIME || cell.type == FREEXL_CELL_TIME;
      if (row == 1) {
        table.SetName(column, number                 ? FloatText(value)
                              : (text || date) && cell.value.text_value ? cell.value.text_value
                                                                         : "");
      } else if (number) {
        table.SetNumber(row, column, value);
      } else if (text && cell.value.text_value) {
        table.SetText(row, column, cell.value.text_value);
      } else if (date) {
        table.Refuse(row, column, "содержит дату, а не число");
      } else {
        table.Refuse(row, column, "пуста");
      }
    }
  }
}

}  // namespace tavrel
