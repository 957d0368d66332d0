#include "core/data/xls_workbook_check.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/data/xls_compound_file.h"

namespace tavrel {

namespace {

using namespace xls;

constexpr std::size_t kEntryNameBytes = 64;

// The format's own limits: 65,536 rows by 256 columns, records of at most
// 8,224 bytes (BIFF8) or 2,080 (BIFF5).
constexpr std::uint64_t kMaxRows = 65536;
constexpr std::uint64_t kMaxColumns = 256;
// FreeXL keeps every sheet whole in memory, 16 bytes a cell: the cells of all
// sheets together may fill one sheet of the largest size (256 MB).
constexpr std::uint64_t kMaxCells = kMaxRows * kMaxColumns;

constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint16_t kBiff5 = 0x0500;

constexpr std::uint16_t kDimension = 0x0200;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kFormat = 0x041E;

// A fault found, with the reason the user reads.
struct Fault {
  std::string reason;
};

[[noreturn]] void Damaged(const std::string& what) { throw Fault{"Книга Excel повреждена (" + what + ")"}; }

std::uint8_t Byte(std::string_view data, std::size_t at) {
  if (at >= data.size()) Damaged("запись короче своего содержимого");
  return static_cast<std::uint8_t>(data[at]);
}

// Whether every directory entry FreeXL reads gives its name a length within
// the entry: FreeXL converts the name with the length given, reading past its
// own buffer. It reads the first directory sector as the header names it,
// whatever the allocation table says.
void CheckDirectoryNames(std::string_view file) {
  const auto check = [](std::string_view entries) {
    for (std::size_t at = 0; at + kEntrySize <= entries.size(); at += kEntrySize) {
      if (U16(entries, at + 0x40) > kEntryNameBytes) Damaged("имя в каталоге файла длиннее допустимого");
    }
  };
  const std::uint16_t shift = U16(file, 0x1E);
  if (shift == 9 || shift == 12) {
    const std::size_t sectorSize = std::size_t{1} << shift;
    const std::size_t first = (static_cast<std::size_t>(U32(file, 0x30)) + 1) * sectorSize;
    if (first < file.size()) check(file.substr(first, sectorSize));
  }
  check(DirectoryEntries(file));
}

// The end of a BIFF8 text of characters that starts at `at` with its flags
// byte: characters of one or two bytes, after optional fields.
std::size_t UnicodeTextEnd(std::string_view data, std::size_t at, std::size_t characters) {
  const std::uint8_t flags = Byte(data, at);
  const std::size_t start = at + 1 + ((flags & 0x04) != 0 ? 4 : 0) + ((flags & 0x08) != 0 ? 2 : 0);
  return start + characters * ((flags & 0x01) != 0 ? 2 : 1);
}

void CheckFits(std::string_view data, std::size_t end) {
  if (end > data.size()) Damaged("текст длиннее своей записи");
}

// One sheet or other part of the stream, from its BOF to its EOF.
struct Substream {
  bool sized = false;
  bool cells = false;
  std::uint64_t lastRow = 0;
  std::uint64_t lastColumn = 0;
};

class StreamCheck {
 public:
  explicit StreamCheck(bool biff8) : biff8_(biff8) {}

  void Record(const BiffRecord& r) {
    if (r.data.size() > (biff8_ ? 8224u : 2080u)) Damaged("запись длиннее допустимого");
    switch (r.type) {
      case kBof:
        parts_.emplace_back();
        return;
      case kEof:
        if (!parts_.empty()) {
          // A sheet without its size is sized by its cells.
          const Substream& part = parts_.back();
          if (!part.sized && part.cells) AddCells((part.lastRow + 1) * (part.lastColumn + 1));
          parts_.pop_back();
        }
        return;
      case kDimension:
        Dimension(r.data);
        return;
      case kNumber:
      case kRk:
      case kLabelSst:
      case kBoolErr:
        Cell(r.data, 0);
        return;
      case kMulRk:
        // Six bytes a cell after the first four, as FreeXL counts them.
        Cell(r.data, r.data.size() > 10 ? (r.data.size() - 5) / 6 - 1 : 0);
        return;
      case kLabel:
        Cell(r.data, 0);
        CheckFits(r.data, biff8_ ? UnicodeTextEnd(r.data, 8, U16(r.data, 6)) : 8 + std::size_t{U16(r.data, 6)});
        return;
      case kFormat:
        CheckFits(r.data, biff8_ ? UnicodeTextEnd(r.data, 4, U16(r.data, 2)) : 3 + std::size_t{Byte(r.data, 3)});
        return;
      case kBoundSheet: {
        const std::size_t length = Byte(r.data, 6);
        CheckFits(r.data, biff8_ ? 8 + length * (Byte(r.data, 7) != 0 ? 2 : 1) : 7 + length);
        return;
      }
      default:
        return;
    }
  }

 private:
  void Dimension(std::string_view data) {
    if (data.size() < (biff8_ ? 14u : 10u)) Damaged("запись размеров листа коротка");
    const std::uint64_t rows = biff8_ ? U32(data, 4) : U16(data, 2);
    const std::uint64_t columns = biff8_ ? U16(data, 10) : U16(data, 6);
    if (rows > kMaxRows || columns > kMaxColumns) Damaged("размеры листа больше допустимых");
    if (!parts_.empty()) parts_.back().sized = true;
    AddCells(rows * columns);
  }

  // A cell record at row and column, and more cells to its right.
  void Cell(std::string_view data, std::size_t more) {
    if (data.size() < 6) Damaged("запись ячейки коротка");
    const std::uint64_t row = U16(data, 0), lastColumn = U16(data, 2) + std::uint64_t{more};
    if (lastColumn >= kMaxColumns) Damaged("ячейка правее столбца IV");
    if (parts_.empty()) return;
    parts_.back().cells = true;
    parts_.back().lastRow = std::max(parts_.back().lastRow, row);
    parts_.back().lastColumn = std::max(parts_.back().lastColumn, lastColumn);
  }

  void AddCells(std::uint64_t cells) {
    cells_ += cells;
    if (cells_ > kMaxCells) {
      static_assert(kMaxCells == 16777216);
      throw Fault{"Книга Excel слишком велика (в её листах больше 16 777 216 ячеек)"};
    }
  }

  bool biff8_;
  std::vector<Substream> parts_;
  std::uint64_t cells_ = 0;
};

void CheckStream(std::string_view stream) {
  std::size_t pos = 0;
  BiffRecord bof{};
  std::uint16_t version = 0;
  try {
    bof = NextRecord(stream, pos);
    if (bof.type == kBof) version = U16(bof.data, 0);
  } catch (const XlsDamaged&) {
  }
  if (version != kBiff8 && version != kBiff5) Damaged("поток книги не начинается её началом");
  StreamCheck check(version == kBiff8);
  check.Record(bof);
  // FreeXL reads every record of the stream; fewer than four bytes at its end are no record.
  while (stream.size() - pos >= 4) {
    std::size_t at = pos;
    BiffRecord r{};
    try {
      r = NextRecord(stream, at);
    } catch (const XlsDamaged&) {
      Damaged("запись выходит за конец книги");
    }
    pos = at;
    check.Record(r);
  }
}

}  // namespace

std::string XlsWorkbookFault(std::string_view file) {
  try {
    CheckDirectoryNames(file);
    CheckStream(WorkbookStream(file));
  } catch (const Fault& fault) {
    return fault.reason;
  } catch (const XlsNoWorkbook&) {
    return kXlsNoWorkbook;
  } catch (const XlsDamaged&) {
    return "Книга Excel повреждена (составной файл не читается)";
  }
  return {};
}

}  // namespace tavrel
