#pragma once
// Small .xlsx packages written with libzip, for the tests, the benchmark and the fuzzers.
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

}  // namespace tavrel::test
