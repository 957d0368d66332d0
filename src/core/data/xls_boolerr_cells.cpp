#include "core/data/xls_boolerr_cells.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

namespace tavrel {

namespace {

// Anything in the file that does not read as it should; ends the search.
struct Damaged {};

constexpr std::string_view kSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::size_t kHeaderDifat = 109;
constexpr std::size_t kEntrySize = 128;
constexpr std::uint32_t kMiniSectorSize = 64;

std::uint16_t U16(std::string_view b, std::size_t at) {
  if (at > b.size() || b.size() - at < 2) throw Damaged{};
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t U32(std::string_view b, std::size_t at) {
  return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

// The sectors of a compound document, or of its mini stream: count of them,
// each unit bytes long (the last may be shorter).
class Sectors {
 public:
  Sectors(std::string_view bytes, std::size_t unit) : bytes_(bytes), unit_(unit) {}
  std::size_t Count() const { return (bytes_.size() + unit_ - 1) / unit_; }
  std::string_view At(std::uint32_t n) const {
    if (n >= Count()) throw Damaged{};
    return bytes_.substr(static_cast<std::size_t>(n) * unit_, unit_);
  }

 private:
  std::string_view bytes_;
  std::size_t unit_;
};

// The bytes of the chain that starts at start in table over sectors: size of
// them, or all up to the chain's end when size is npos. A chain that comes
// back to a sector it passed runs in a loop.
std::string Chain(const std::vector<std::uint32_t>& table, const Sectors& sectors, std::uint32_t start,
                  std::size_t size) {
  const std::size_t count = sectors.Count();
  if (size != std::string::npos && size > count * sectors.At(0).size()) throw Damaged{};
  std::string out;
  if (size != std::string::npos) out.reserve(size);
  std::vector<bool> passed(count);
  for (std::uint32_t s = start; s != kEndOfChain && out.size() < size;) {
    if (s >= table.size() || s >= count || passed[s]) throw Damaged{};
    passed[s] = true;
    out.append(sectors.At(s));
    s = table[s];
  }
  if (size != std::string::npos) {
    if (out.size() < size) throw Damaged{};
    out.resize(size);
  }
  return out;
}

std::vector<std::uint32_t> Entries(std::string_view bytes) {
  std::vector<std::uint32_t> out(bytes.size() / 4);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = U32(bytes, 4 * i);
  return out;
}

bool NameIs(std::string_view entry, std::string_view name) {
  const std::uint16_t length = U16(entry, 0x40);  // bytes, with the closing zero
  if (length != 2 * (name.size() + 1)) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const std::uint16_t c = U16(entry, 2 * i);
    if (c > 0x7F || std::tolower(c) != std::tolower(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

// The sectors of a compound document, after its header.
Sectors SectorsOf(std::string_view file) {
  if (file.size() < 512 || file.substr(0, kSignature.size()) != kSignature) throw Damaged{};
  const std::uint16_t shift = U16(file, 0x1E);
  if (shift != 9 && shift != 12) throw Damaged{};
  const std::size_t sectorSize = std::size_t{1} << shift;
  if (file.size() <= sectorSize) throw Damaged{};
  return Sectors(file.substr(sectorSize), sectorSize);
}

// The allocation table, from the sector list in the header and its continuation.
std::vector<std::uint32_t> AllocationTable(std::string_view file, const Sectors& sectors) {
  const std::size_t sectorSize = sectors.At(0).size();
  const std::uint32_t fatSectors = U32(file, 0x2C);
  if (fatSectors > sectors.Count()) throw Damaged{};
  std::vector<std::uint32_t> fatList;
  for (std::size_t i = 0; i < std::min<std::size_t>(fatSectors, kHeaderDifat); ++i) {
    fatList.push_back(U32(file, 0x4C + 4 * i));
  }
  std::uint32_t difat = U32(file, 0x44);
  for (std::size_t steps = 0; fatList.size() < fatSectors; ++steps) {
    if (steps >= sectors.Count()) throw Damaged{};
    const std::vector<std::uint32_t> more = Entries(sectors.At(difat));
    if (more.empty()) throw Damaged{};
    for (std::size_t i = 0; i + 1 < more.size() && fatList.size() < fatSectors; ++i) fatList.push_back(more[i]);
    difat = more.back();
  }
  std::vector<std::uint32_t> fat;
  fat.reserve(static_cast<std::size_t>(fatSectors) * (sectorSize / 4));
  for (const std::uint32_t s : fatList) {
    const std::vector<std::uint32_t> part = Entries(sectors.At(s));
    fat.insert(fat.end(), part.begin(), part.end());
  }
  return fat;
}

// The workbook stream of a compound document.
std::string WorkbookStream(std::string_view file) {
  const Sectors sectors = SectorsOf(file);
  const std::size_t sectorSize = sectors.At(0).size();
  const std::vector<std::uint32_t> fat = AllocationTable(file, sectors);

  const std::string directory = Chain(fat, sectors, U32(file, 0x30), std::string::npos);
  if (directory.size() < kEntrySize) throw Damaged{};
  const std::string_view root = std::string_view(directory).substr(0, kEntrySize);
  std::string_view stream;
  for (const std::string_view name : {"Workbook", "Book"}) {
    for (std::size_t at = 0; stream.empty() && at + kEntrySize <= directory.size(); at += kEntrySize) {
      const std::string_view entry = std::string_view(directory).substr(at, kEntrySize);
      if (entry[0x42] == 2 && NameIs(entry, name)) stream = entry;
    }
  }
  if (stream.empty()) throw Damaged{};
  const std::uint32_t start = U32(stream, 0x74), size = U32(stream, 0x78);
  if (size >= U32(file, 0x38)) return Chain(fat, sectors, start, size);

  // A small stream lies in the mini stream, in sectors of its own.
  if (U16(file, 0x20) != 6) throw Damaged{};
  const std::string mini = Chain(fat, sectors, U32(root, 0x74), U32(root, 0x78));
  const std::uint32_t miniFatSectors = U32(file, 0x40);
  if (miniFatSectors > sectors.Count()) throw Damaged{};
  const std::vector<std::uint32_t> miniFat =
      Entries(Chain(fat, sectors, U32(file, 0x3C), static_cast<std::size_t>(miniFatSectors) * sectorSize));
  if (mini.empty()) throw Damaged{};
  return Chain(miniFat, Sectors(mini, kMiniSectorSize), start, size);
}

// BIFF5 and BIFF8 records: the only ones FreeXL finds sheets in when they lie
// in a compound document (the older BIFF2 to 4 it reads only as bare streams,
// which the loading program does not take for workbooks).
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kGlobalsKind = 0x0005;

struct Record {
  std::uint16_t type;
  std::string_view data;
};

// The record at pos, moving pos past it.
Record Next(std::string_view book, std::size_t& pos) {
  const std::uint16_t type = U16(book, pos), length = U16(book, pos + 2);
  if (book.size() - pos - 4 < length) throw Damaged{};
  const Record r{type, book.substr(pos + 4, length)};
  pos += 4 + length;
  return r;
}

// A formula's last value, in bytes 6 to 13 of its record, when it is a
// true/false value (kind 1) or an error (kind 2).
void AddFormulaValue(std::string_view data, std::vector<XlsBoolErrCell>& cells) {
  if (data.size() < 14 || U16(data, 12) != 0xFFFF) return;
  const auto kind = static_cast<unsigned char>(data[6]);
  if (kind != 1 && kind != 2) return;
  cells.push_back({U16(data, 0), U16(data, 2), kind == 2, static_cast<std::uint8_t>(data[8])});
}

void AddSheetCells(std::string_view book, std::size_t pos, std::vector<XlsBoolErrCell>& cells) {
  if (Next(book, pos).type != kBof) throw Damaged{};
  // Charts and other substreams may lie inside the sheet, each between its BOF and EOF.
  for (int depth = 1; depth > 0 && pos < book.size();) {
    const Record r = Next(book, pos);
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
  const Record bof = Next(book, pos);
  if (bof.type != kBof || U16(bof.data, 2) != kGlobalsKind) throw Damaged{};
  while (pos < book.size()) {
    const Record r = Next(book, pos);
    if (r.type == kEof) break;
    if (r.type == kBoundSheet) return U32(r.data, 0);
  }
  throw Damaged{};
}

}  // namespace

std::vector<XlsBoolErrCell> FindBoolErrCells(std::string_view file) {
  std::vector<XlsBoolErrCell> cells;
  try {
    const std::string book = WorkbookStream(file);
    AddSheetCells(book, FirstSheet(book), cells);
  } catch (const Damaged&) {
  }
  return cells;
}

bool XlsDirectoryNamesFit(std::string_view file) {
  const auto fit = [](std::string_view entries) {
    for (std::size_t at = 0; at + kEntrySize <= entries.size(); at += kEntrySize) {
      if (U16(entries, at + 0x40) > 64) return false;
    }
    return true;
  };
  try {
    // The first sector as the header names it, whatever the allocation table says, then the whole chain.
    const Sectors sectors = SectorsOf(file);
    const std::uint32_t first = U32(file, 0x30);
    if (first < sectors.Count() && !fit(sectors.At(first))) return false;
    return fit(Chain(AllocationTable(file, sectors), sectors, first, std::string::npos));
  } catch (const Damaged&) {
  }
  return true;
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
