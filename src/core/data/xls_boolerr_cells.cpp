#include "core/data/xls_boolerr_cells.h"

#include "core/data/xls_compound_file.h"

namespace tavrel {

namespace {

using namespace xls;

constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kGlobalsKind = 0x0005;

// A formula's last value, in bytes 6 to 13 of its record, when it is a
// true/false value (kind 1) or an error (kind 2).
void AddFormulaValue(std::string_view data, std::vector<XlsBoolErrCell>& cells) {
  if (data.size() < 14 || U16(data, 12) != 0xFFFF) return;
  const auto kind = static_cast<unsigned char>(data[6]);
  if (kind != 1 && kind != 2) return;
  cells.push_back({U16(data, 0), U16(data, 2), kind == 2, static_cast<std::uint8_t>(data[8])});
}

void AddSheetCells(std::string_view book, std::size_t pos, std::vector<XlsBoolErrCell>& cells) {
  if (NextRecord(book, pos).type != kBof) throw XlsDamaged{};
  // Charts and other substreams may lie inside the sheet, each between its BOF and EOF.
  for (int depth = 1; depth > 0 && pos < book.size();) {
    const BiffRecord r = NextRecord(book, pos);
    if (r.type == kBof) {
      ++depth;
    } else if (r.type == kEof) {
      --depth;
    } else if (depth > 1) {
      continue;
    } else if (r.type == kBoolErr && r.data.size() >= 8) {
      cells.push_back({U16(r.data, 0), U16(r.data, 2), r.data[7] != 0, static_cast<std::uint8_t>(r.data[6])});
    } else if (r.type == kFormula) {
      AddFormulaValue(r.data, cells);
    }
  }
}

// The first sheet's offset in the stream: what the first BOUNDSHEET of the
// globals points at.
std::size_t FirstSheet(std::string_view book) {
  std::size_t pos = 0;
  const BiffRecord bof = NextRecord(book, pos);
  if (bof.type != kBof || U16(bof.data, 2) != kGlobalsKind) throw XlsDamaged{};
  while (pos < book.size()) {
    const BiffRecord r = NextRecord(book, pos);
    if (r.type == kEof) break;
    if (r.type == kBoundSheet) return U32(r.data, 0);
  }
  throw XlsDamaged{};
}

}  // namespace

std::vector<XlsBoolErrCell> FindBoolErrCells(std::string_view file) {
  std::vector<XlsBoolErrCell> cells;
  try {
    const std::string book = WorkbookStream(file);
    AddSheetCells(book, FirstSheet(book), cells);
  } catch (const XlsDamaged&) {
  }
  return cells;
}

std::string XlsErrorText(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return "#NULL!";
    case 0x07:
      return "#DIV/0!";
    case 0x0F:
      return "#VALUE!";
    case 0x17:
      return "#REF!";
    case 0x1D:
      return "#NAME?";
    case 0x24:
      return "#NUM!";
    case 0x2A:
      return "#N/A";
    default:
      return "#?";
  }
}

}  // namespace tavrel
