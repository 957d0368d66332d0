#pragma once
// Small .xlsx and .ods packages written with libzip, for the tests, the benchmark and the fuzzers.
#include <string>
#include <utility>
#include <vector>

namespace tavrel::test {

using ZipEntries = std::vector<std::pair<std::string, std::string>>;  // part name, content

// Writes a zip archive; compressed with deflate unless store is set.
void WriteZip(const std::string& path, const ZipEntries& entries, bool store = false);

// A worksheet part around the rows ("<row>...</row>..."); dimension, when given, is declared ("A1:C3").
std::string SheetXml(const std::string& rows, const std::string& dimension = "");

// The parts of a workbook whose one sheet is sheet; sharedStrings and styles are
// left out when empty.
ZipEntries WorkbookEntries(const std::string& sheet, const std::string& sharedStrings = "",
                           const std::string& styles = "");

// Cells: a number, an inline text, a shared string by index.
std::string NumberCell(const std::string& ref, const std::string& value);
std::string TextCell(const std::string& ref, const std::string& text);
std::string SharedCell(const std::string& ref, int index);

inline constexpr const char* kOdsMimeType = "application/vnd.oasis.opendocument.spreadsheet";

// An OpenDocument content part whose first sheet holds rows
// ("<table:table-row>...</table:table-row>..."); more, when given, follows
// the first sheet (a second one).
std::string OdsContentXml(const std::string& rows, const std::string& more = "");

// The parts of an OpenDocument spreadsheet: its mimetype first (stored, as
// the format asks), its manifest and content.
ZipEntries OdsEntries(const std::string& content, const std::string& mimetype = kOdsMimeType);

// Cells: a number (office:value), a text; attributes, when given, are added
// to the cell ("table:number-columns-repeated=\"3\"").
std::string OdsNumber(const std::string& value, const std::string& attributes = "");
std::string OdsText(const std::string& text, const std::string& attributes = "");
// A row of cells; attributes as for cells.
std::string OdsRow(const std::string& cells, const std::string& attributes = "");

}  // namespace tavrel::test
