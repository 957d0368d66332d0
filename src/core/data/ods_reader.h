#pragma once
// The first sheet of an OpenDocument spreadsheet (.ods, as LibreOffice saves
// it), streamed from the content part of its zip package. Repeated rows and
// cells are expanded as far as they hold values: an empty cell or row repeated
// to the sheet's end costs nothing.
#include <cstdint>

namespace tavrel {

class SheetTable;
class ZipPackage;

// The cells a file's repetitions may add beyond those it writes: 16 million,
// 128 MB of values (a few bytes of XML could otherwise ask for gigabytes).
inline constexpr std::int64_t kMaxRepeatedCells = std::int64_t{1} << 24;

// Whether the package is an OpenDocument spreadsheet, by its mimetype part.
bool IsOdsPackage(const ZipPackage& package);

// Hands every cell of the first sheet to table. Failures are SpreadsheetErrors.
void ReadOds(const ZipPackage& package, SheetTable& table);

}  // namespace tavrel
