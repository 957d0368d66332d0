#include "core/data/xlsx_reader.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <vector>

#include "core/base/numbers.h"
#include "core/data/observation_dates.h"
#include "core/data/sheet_table.h"
#include "core/data/zip_xml_stream.h"

namespace tavrel {

namespace {

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

struct Relationship {
  std::string type;
  std::string target;  // as a part name
};

// A relationships part: the targets by their id.
class RelationshipsHandler : public XmlHandler {
 public:
  explicit RelationshipsHandler(std::string source) : source_(std::move(source)) {}
  void Start(std::string_view name, const char** attributes) override {
    if (name != "Relationship") return;
    const char* id = Attribute(attributes, "Id");
    const char* type = Attribute(attributes, "Type");
    const char* target = Attribute(attributes, "Target");
    const char* mode = Attribute(attributes, "TargetMode");
    if (!id || !type || !target || (mode && std::string_view(mode) == "External")) return;
    byId.emplace(id, Relationship{type, ResolvePartName(source_, target)});
  }
  void End(std::string_view) override {}

  // The first target whose type ends with kind ("/styles"), empty when there is none.
  std::string TargetOfType(std::string_view kind) const {
    for (const auto& [id, rel] : byId)
      if (EndsWith(rel.type, kind)) return rel.target;
    return {};
  }

  std::map<std::string, Relationship> byId;

 private:
  std::string source_;
};

RelationshipsHandler ReadRelationships(const ZipPackage& package, const std::string& source) {
  RelationshipsHandler rels(source);
  const std::string part = RelationshipsPartOf(source);
  if (package.Has(part)) package.Parse(part, rels);
  return rels;
}

// The workbook: the relationship id of its first sheet, hidden or not.
class WorkbookHandler : public XmlHandler {
 public:
  void Start(std::string_view name, const char** attributes) override {
    if (name != "sheet" || found) return;
    found = true;
    if (const char* id = Attribute(attributes, "id")) firstSheetId = id;
    if (const char* n = Attribute(attributes, "name")) firstSheetName = n;
  }
  void End(std::string_view) override {}
  bool found = false;
  std::string firstSheetId, firstSheetName;
};

// The shared string table: each entry is the text of all its runs; phonetic runs are left out.
class SharedStringsHandler : public XmlHandler {
 public:
  void Start(std::string_view name, const char**) override {
    if (name == "si") {
      inEntry_ = true;
      text_.clear();
    } else if (name == "rPh") {
      ++phonetic_;
    } else if (name == "t" && inEntry_ && phonetic_ == 0) {
      inText_ = true;
    }
  }
  void End(std::string_view name) override {
    if (name == "si") {
      strings.push_back(text_);
      inEntry_ = false;
    } else if (name == "rPh") {
      --phonetic_;
    } else if (name == "t") {
      inText_ = false;
    }
  }
  void Text(std::string_view text) override {
    if (inText_) text_ += text;
  }
  std::vector<std::string> strings;

 private:
  std::string text_;
  bool inEntry_ = false, inText_ = false;
  int phonetic_ = 0;
};

int ToInt(const char* text, int fallback) {
  if (text == nullptr) return fallback;
  int value = fallback;
  const auto res = std::from_chars(text, text + std::strlen(text), value);
  return res.ec == std::errc() ? value : fallback;
}

// The cell formats: which of them show dates or times.
class StylesHandler : public XmlHandler {
 public:
  void Start(std::string_view name, const char** attributes) override {
    if (name == "numFmt") {
      const char* code = Attribute(attributes, "formatCode");
      customFormats_[ToInt(Attribute(attributes, "numFmtId"), -1)] = code ? code : "";
    } else if (name == "cellXfs") {
      inCellFormats_ = true;
    } else if (name == "xf" && inCellFormats_) {
      formatIds_.push_back(ToInt(Attribute(attributes, "numFmtId"), 0));
    }
  }
  void End(std::string_view name) override {
    if (name == "cellXfs") inCellFormats_ = false;
  }
  std::vector<bool> DateStyles() const {
    std::vector<bool> dates;
    dates.reserve(formatIds_.size());
    for (const int id : formatIds_) {
      const auto custom = customFormats_.find(id);
      dates.push_back(IsDateFormat(id, custom == customFormats_.end() ? std::string() : custom->second));
    }
    return dates;
  }

 private:
  std::map<int, std::string> customFormats_;
  std::vector<int> formatIds_;
  bool inCellFormats_ = false;
};

// A cell reference "AB12": the column and the row; false when it is not one.
bool ParseCellReference(const char* s, int& column, std::int32_t& row) {
  column = 0;
  const char* p = s;
  for (; (*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z'); ++p) {
    if (column > SheetTable::kMaxColumns) continue;  // only its being too large matters
    column = column * 26 + ((*p | 0x20) - 'a' + 1);
  }
  if (p == s) return false;
  row = 0;
  const char* digits = p;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (row > SheetTable::kMaxRows) continue;
    row = row * 10 + (*p - '0');
  }
  return p != digits && *p == '\0';
}

// The first sheet, cell by cell, into the table.
class SheetHandler : public XmlHandler {
 public:
  // notASheet: the failure when the part's root is not a worksheet.
  SheetHandler(SheetTable& table, const std::vector<std::string>& strings, const std::vector<bool>& dateStyles,
               std::uint64_t partSize, std::string notASheet)
      : table_(table), strings_(strings), dateStyles_(dateStyles), partSize_(partSize), notASheet_(std::move(notASheet)) {}

  void Start(std::string_view name, const char** attributes) override {
    if (!rootSeen_) {
      rootSeen_ = true;
      if (name != "worksheet") ThrowSpreadsheetError(notASheet_);
    }
    if (name == "c") {
      StartCell(attributes);
    } else if (!inCell_) {
      if (name == "row") {
        StartRow(attributes);
      } else if (name == "dimension") {
        ReserveDeclared(Attribute(attributes, "ref"));
      }
    } else if (name == "v") {
      collecting_ = true;
      hasValue_ = true;
    } else if (name == "rPh") {
      ++phonetic_;
    } else if (name == "t" && phonetic_ == 0) {
      collecting_ = true;
      hasValue_ = true;
    }
  }

  void End(std::string_view name) override {
    if (name == "c") {
      EndCell();
    } else if (name == "v" || name == "t") {
      collecting_ = false;
    } else if (name == "rPh") {
      --phonetic_;
    }
  }

  void Text(std::string_view text) override {
    if (collecting_ && phonetic_ == 0) value_ += text;
  }

 private:
  void StartRow(const char** attributes) {
    const char* r = Attribute(attributes, "r");
    if (r == nullptr) {
      ++row_;
    } else {
      row_ = ToInt(r, 0);
    }
    if (row_ < 1 || row_ > SheetTable::kMaxRows) ThrowSpreadsheetError("Неверный номер строки листа");
    column_ = 0;
  }

  void StartCell(const char** attributes) {
    inCell_ = true;
    hasValue_ = false;
    collecting_ = false;
    phonetic_ = 0;
    value_.clear();
    type_ = 'n';
    style_ = 0;
    for (const char** a = attributes; a[0] != nullptr; a += 2) {
      const char* key = a[0];
      if (std::strcmp(key, "r") == 0) {
        std::int32_t row = 0;
        if (!ParseCellReference(a[1], column_, row))
          ThrowSpreadsheetError("Неверная ссылка на ячейку «" + std::string(a[1]).substr(0, 20) + "»");
        row_ = row;
        referenced_ = true;
      } else if (std::strcmp(key, "t") == 0) {
        const std::string_view t(a[1]);
        type_ = t == "s"           ? 's'
                : t == "inlineStr" ? 'i'
                : t == "str"       ? 'f'
                : t == "b"         ? 'b'
                : t == "e"         ? 'e'
                : t == "d"         ? 'd'
                                   : 'n';
      } else if (std::strcmp(key, "s") == 0) {
        style_ = ToInt(a[1], 0);
      }
    }
    if (!referenced_) ++column_;
    referenced_ = false;
  }

  void EndCell() {
    inCell_ = false;
    table_.Visit(row_, column_);
    if (row_ == 1) {
      table_.SetName(column_, NameText());
      return;
    }
    if (!hasValue_) table_.Refuse(row_, column_, "пуста");
    switch (type_) {
      case 's':
        table_.SetText(row_, column_, SharedString());
        return;
      case 'i':
      case 'f':
        table_.SetText(row_, column_, value_);
        return;
      case 'b':
        table_.Refuse(row_, column_, "содержит логическое значение, а не число");
      case 'e':
        table_.Refuse(row_, column_, "содержит ошибку " + value_.substr(0, 20));
      case 'd': {
        double serial = 0;
        if (!ParseDateText(value_, serial)) table_.Refuse(row_, column_, "содержит неверную дату");
        table_.SetDate(row_, column_, serial);
        return;
      }
      default:
        if (IsDateStyle()) {
          table_.SetDate(row_, column_, Number());
        } else {
          table_.SetNumber(row_, column_, Number());
        }
    }
  }

  std::string NameText() const {
    if (!hasValue_) return {};
    switch (type_) {
      case 's':
        return SharedString();
      case 'b':
        return value_ == "1" ? "TRUE" : "FALSE";
      case 'n':
        return FloatText(Number());
      default:
        return value_;
    }
  }

  const std::string& SharedString() const {
    std::size_t index = 0;
    const auto res = std::from_chars(value_.data(), value_.data() + value_.size(), index);
    if (res.ec != std::errc() || res.ptr != value_.data() + value_.size() || index >= strings_.size()) {
      ThrowSpreadsheetError("Ячейка " + CellReference(row_, column_) + " ссылается на несуществующую строку");
    }
    return strings_[index];
  }

  double Number() const {
    double value = 0;
    if (!ParseFixedNumber(value_, value)) {
      ThrowSpreadsheetError("Ячейка " + CellReference(row_, column_) + " содержит неверное число");
    }
    return value;
  }

  bool IsDateStyle() const {
    return style_ >= 0 && static_cast<std::size_t>(style_) < dateStyles_.size() && dateStyles_[style_];
  }

  // The rectangle the sheet declares, as room to reserve; never more than the
  // part could hold at its smallest cell ("<c><v>0</v></c>").
  void ReserveDeclared(const char* ref) {
    if (ref == nullptr) return;
    const char* colon = std::strchr(ref, ':');
    if (colon == nullptr) return;
    int columns = 0;
    std::int32_t rows = 0;
    if (!ParseCellReference(colon + 1, columns, rows) || columns > SheetTable::kMaxColumns) return;
    const std::uint64_t fits = partSize_ / (15u * static_cast<unsigned>(columns)) + 1;
    table_.Reserve(columns, static_cast<std::int32_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(rows), fits)));
  }

  SheetTable& table_;
  const std::vector<std::string>& strings_;
  const std::vector<bool>& dateStyles_;
  std::uint64_t partSize_;
  std::string notASheet_;
  bool rootSeen_ = false;
  std::int32_t row_ = 0;
  int column_ = 0;
  bool inCell_ = false, hasValue_ = false, collecting_ = false, referenced_ = false;
  int phonetic_ = 0;
  char type_ = 'n';
  int style_ = 0;
  std::string value_;
};

}  // namespace

bool IsDateFormat(int numFmtId, const std::string& formatCode) {
  if ((numFmtId >= 14 && numFmtId <= 22) || (numFmtId >= 27 && numFmtId <= 36) || (numFmtId >= 45 && numFmtId <= 47) ||
      (numFmtId >= 50 && numFmtId <= 58)) {
    return true;
  }
  if (numFmtId < 164) return false;  // the other built-in formats show numbers or text
  for (std::size_t i = 0; i < formatCode.size(); ++i) {
    const char c = formatCode[i];
    if (c == '"') {
      const std::size_t close = formatCode.find('"', i + 1);
      if (close == std::string::npos) break;
      i = close;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is shown as it is, or only pads
    } else if (c == '[') {
      const std::size_t close = formatCode.find(']', i + 1);
      if (close == std::string::npos) break;
      const std::string inside = formatCode.substr(i + 1, close - i - 1);
      if (!inside.empty() && inside.find_first_not_of("hHmMsS") == std::string::npos) return true;  // [h]:mm
      i = close;
    } else if (std::strchr("dDmMyYhHsS", c) != nullptr && c != '\0') {
      return true;
    }
  }
  return false;
}

void ReadXlsx(const ZipPackage& package, SheetTable& table) {
  const RelationshipsHandler root = ReadRelationships(package, "");
  std::string workbookPart = root.TargetOfType("/officeDocument");
  if (workbookPart.empty()) ThrowSpreadsheetError("В архиве нет книги Excel");

  WorkbookHandler workbook;
  package.Parse(workbookPart, workbook);
  if (!workbook.found) ThrowSpreadsheetError("В книге нет листов");
  const RelationshipsHandler rels = ReadRelationships(package, workbookPart);
  const auto sheet = rels.byId.find(workbook.firstSheetId);
  if (sheet == rels.byId.end()) ThrowSpreadsheetError("Не найден первый лист книги");
  if (!EndsWith(sheet->second.type, "/worksheet")) {
    ThrowSpreadsheetError("Первый лист книги «" + workbook.firstSheetName + "» не является таблицей");
  }

  SharedStringsHandler strings;
  const std::string stringsPart = rels.TargetOfType("/sharedStrings");
  if (!stringsPart.empty() && package.Has(stringsPart)) package.Parse(stringsPart, strings);
  StylesHandler styles;
  const std::string stylesPart = rels.TargetOfType("/styles");
  if (!stylesPart.empty() && package.Has(stylesPart)) package.Parse(stylesPart, styles);
  const std::vector<bool> dateStyles = styles.DateStyles();

  const std::string& sheetPart = sheet->second.target;
  SheetHandler cells(table, strings.strings, dateStyles, package.DeclaredSize(sheetPart),
                     "Первый лист книги «" + workbook.firstSheetName + "» указывает на часть " + sheetPart +
                         ", которая не является листом");
  package.Parse(sheetPart, cells);
}

}  // namespace tavrel
