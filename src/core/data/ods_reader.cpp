#include "core/data/ods_reader.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/numbers.h"
#include "core/data/observation_dates.h"
#include "core/data/sheet_table.h"
#include "core/data/zip_xml_stream.h"

namespace tavrel {

namespace {

constexpr const char* kOdsMimeType = "application/vnd.oasis.opendocument.spreadsheet";
// Beyond the sheet's limits a position only needs to stay beyond them.
constexpr std::int64_t kFarPosition = std::int64_t{1} << 40;

enum class CellKind { Empty, Number, Text, Date, Time, Boolean, Error };

// A cell element of a row, with the columns it repeats over.
struct OdsCell {
  std::int64_t column = 1;
  std::int64_t repeat = 1;
  CellKind kind = CellKind::Empty;
  double number = 0;
  std::string value;  // the date, time or boolean value as written
  std::string text;   // the paragraphs of the cell, one a line
};

// A repetition count: at least 1, and never counted beyond the sheet's end.
std::int64_t Repeat(const char* text) {
  if (text == nullptr) return 1;
  std::int64_t value = 0;
  const auto res = std::from_chars(text, text + std::strlen(text), value);
  if (res.ec == std::errc::result_out_of_range) return kFarPosition;
  if (res.ec != std::errc() || *res.ptr != '\0' || value < 1)
    ThrowSpreadsheetError("Неверное число повторений «" + std::string(text).substr(0, 20) + "»");
  return std::min(value, kFarPosition);
}

// The first sheet's rows, cell by cell, into the table.
class ContentHandler : public XmlHandler {
 public:
  explicit ContentHandler(SheetTable& table) : table_(table) {}

  void Start(std::string_view name, const char** attributes) override {
    if (!rootSeen_) {
      rootSeen_ = true;
      if (name != "document-content") ThrowSpreadsheetError("Часть content.xml не является содержимым книги");
    }
    if (done_) return;
    if (name == "table") {
      if (inSheet_) ++nested_;
      inSheet_ = true;
      return;
    }
    if (!inSheet_ || nested_ > 0) return;
    if (name == "table-row") {
      StartRow(attributes);
    } else if (name == "table-cell" || name == "covered-table-cell") {
      StartCell(attributes);
    } else if (!inCell_) {
      return;
    } else if (name == "annotation") {
      ++annotation_;
    } else if (annotation_ > 0) {
      return;
    } else if (name == "p") {
      if (paragraphs_++ > 0) cell_.text += '\n';
    } else if (name == "s") {
      const std::int64_t count = Repeat(Attribute(attributes, "c"));
      cell_.text.append(static_cast<std::size_t>(std::min<std::int64_t>(count, 1000)), ' ');
    } else if (name == "tab") {
      cell_.text += '\t';
    } else if (name == "line-break") {
      cell_.text += '\n';
    }
  }

  void End(std::string_view name) override {
    if (done_ || !inSheet_) return;
    if (name == "table") {
      if (nested_ > 0) {
        --nested_;
      } else {
        done_ = true;  // only the first sheet is read
      }
    } else if (nested_ > 0) {
      return;
    } else if (name == "table-row") {
      EndRow();
    } else if (name == "table-cell" || name == "covered-table-cell") {
      EndCell();
    } else if (name == "annotation" && inCell_) {
      --annotation_;
    }
  }

  void Text(std::string_view text) override {
    if (inCell_ && annotation_ == 0 && paragraphs_ > 0 && !done_ && nested_ == 0) cell_.text += text;
  }

 private:
  void StartRow(const char** attributes) {
    rowRepeat_ = Repeat(Attribute(attributes, "number-rows-repeated"));
    column_ = 1;
    cells_.clear();
  }

  void StartCell(const char** attributes) {
    inCell_ = true;
    annotation_ = 0;
    paragraphs_ = 0;
    cell_ = OdsCell{};
    cell_.column = column_;
    cell_.repeat = Repeat(Attribute(attributes, "number-columns-repeated"));
    const char* number = nullptr;
    for (const char** a = attributes; a[0] != nullptr; a += 2) {
      const std::string_view key = LocalAttributeName(a[0]);
      const std::string_view value = a[1];
      if (key == "value-type") {
        // LibreOffice marks an error of a formula beside the type it keeps.
        if (value == "error") cell_.kind = CellKind::Error;
        else if (cell_.kind == CellKind::Error) continue;
        else if (value == "float" || value == "percentage" || value == "currency") cell_.kind = CellKind::Number;
        else if (value == "string") cell_.kind = CellKind::Text;
        else if (value == "date") cell_.kind = CellKind::Date;
        else if (value == "time") cell_.kind = CellKind::Time;
        else if (value == "boolean") cell_.kind = CellKind::Boolean;
      } else if (key == "value") {
        number = a[1];
      } else if (key == "date-value" || key == "time-value" || key == "boolean-value") {
        cell_.value = value;
      }
    }
    if (cell_.kind == CellKind::Number) {
      if (number == nullptr || !ParseFixedNumber(number, cell_.number)) {
        ThrowSpreadsheetError("Ячейка " + CellReference(ShownRow(), ShownColumn()) + " содержит неверное число");
      }
    }
  }

  void EndCell() {
    inCell_ = false;
    if (cell_.kind == CellKind::Empty && !cell_.text.empty()) cell_.kind = CellKind::Text;
    column_ = std::min(column_ + cell_.repeat, kFarPosition);
    if (cell_.kind != CellKind::Empty) cells_.push_back(std::move(cell_));
  }

  void EndRow() {
    const std::int64_t first = row_;
    row_ = std::min(row_ + rowRepeat_, kFarPosition);
    if (cells_.empty()) return;  // empty rows, however many, widen nothing
    if (row_ - 1 > SheetTable::kMaxRows)
      ThrowSpreadsheetError("Больше " + std::to_string(SheetTable::kMaxRows) + " строк");
    // Counted before any is stored; a cell repeated past the last column
    // fails on that column, so its repetitions count only so far.
    std::int64_t rowCells = 0;
    for (const OdsCell& cell : cells_) rowCells += std::min<std::int64_t>(cell.repeat, SheetTable::kMaxColumns + 1);
    repeatedCells_ += rowCells * (row_ - first) - static_cast<std::int64_t>(cells_.size());
    if (repeatedCells_ > kMaxRepeatedCells) {
      ThrowSpreadsheetError("Повторы строк и ячеек дают больше " + std::to_string(kMaxRepeatedCells) +
                            " ячеек сверх записанных в файле");
    }
    for (std::int64_t row = first; row < row_; ++row) {
      for (const OdsCell& cell : cells_) {
        for (std::int64_t c = 0; c < cell.repeat; ++c) PutCell(static_cast<std::int32_t>(row), cell.column + c, cell);
      }
    }
  }

  void PutCell(std::int32_t row, std::int64_t wideColumn, const OdsCell& cell) {
    const int column = static_cast<int>(std::min<std::int64_t>(wideColumn, SheetTable::kMaxColumns + 1));
    table_.Visit(row, column);
    if (row == 1) {
      table_.SetName(column, NameText(cell));
      return;
    }
    switch (cell.kind) {
      case CellKind::Number:
        table_.SetNumber(row, column, cell.number);
        return;
      case CellKind::Text:
        table_.SetText(row, column, cell.text);
        return;
      case CellKind::Date: {
        double serial = 0;
        if (!ParseDateText(cell.value, serial)) table_.Refuse(row, column, "содержит неверную дату");
        table_.SetDate(row, column, serial);
        return;
      }
      case CellKind::Time:
        table_.Refuse(row, column, "содержит время, а не число");
      case CellKind::Boolean:
        table_.Refuse(row, column, "содержит логическое значение, а не число");
      case CellKind::Error:
      case CellKind::Empty:
        table_.Refuse(row, column, "содержит ошибку " + cell.text.substr(0, 20));
    }
  }

  static std::string NameText(const OdsCell& cell) {
    if (!cell.text.empty()) return cell.text;
    switch (cell.kind) {
      case CellKind::Number:
        return FloatText(cell.number);
      case CellKind::Boolean:
        return cell.value == "true" ? "TRUE" : "FALSE";
      default:
        return cell.value;
    }
  }

  static std::string_view LocalAttributeName(const char* name) {
    const std::string_view s(name);
    const std::size_t colon = s.rfind(':');
    return colon == std::string_view::npos ? s : s.substr(colon + 1);
  }

  std::int32_t ShownRow() const { return static_cast<std::int32_t>(std::min<std::int64_t>(row_, SheetTable::kMaxRows)); }
  int ShownColumn() const { return static_cast<int>(std::min<std::int64_t>(column_, SheetTable::kMaxColumns + 1)); }

  SheetTable& table_;
  bool rootSeen_ = false, inSheet_ = false, done_ = false, inCell_ = false;
  int nested_ = 0, annotation_ = 0, paragraphs_ = 0;
  std::int64_t row_ = 1, rowRepeat_ = 1, column_ = 1;
  std::int64_t repeatedCells_ = 0;
  OdsCell cell_;
  std::vector<OdsCell> cells_;
};

}  // namespace

bool IsOdsPackage(const ZipPackage& package) {
  const std::string type = package.ReadSmallPart("mimetype", 100);
  return type == kOdsMimeType || type == std::string(kOdsMimeType) + "-template";
}

void ReadOds(const ZipPackage& package, SheetTable& table) {
  if (!package.Has("content.xml")) ThrowSpreadsheetError("В книге OpenDocument нет части content.xml");
  ContentHandler content(table);
  package.Parse("content.xml", content);
}

}  // namespace tavrel
