#include "core/data/xls_compound_file.h"

#include <algorithm>
#include <vector>

namespace tavrel::xls {

namespace {

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::size_t kHeaderDifat = 109;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;

// The sectors of a compound document, or of its mini stream: count of them,
// each unit bytes long (the last may be shorter).
class Sectors {
 public:
  Sectors(std::string_view bytes, std::size_t unit) : bytes_(bytes), unit_(unit) {}
  std::size_t Count() const { return (bytes_.size() + unit_ - 1) / unit_; }
  std::size_t Unit() const { return unit_; }
  std::string_view At(std::uint32_t n) const {
    if (n >= Count()) throw XlsDamaged{};
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
  if (size != std::string::npos && size > count * sectors.Unit()) throw XlsDamaged{};
  std::string out;
  if (size != std::string::npos) out.reserve(size);
  std::vector<bool> passed(count);
  for (std::uint32_t s = start; s != kEndOfChain && out.size() < size;) {
    if (s >= table.size() || s >= count || passed[s]) throw XlsDamaged{};
    passed[s] = true;
    out.append(sectors.At(s));
    s = table[s];
  }
  if (size != std::string::npos) {
    if (out.size() < size) throw XlsDamaged{};
    out.resize(size);
  }
  return out;
}

std::vector<std::uint32_t> Entries(std::string_view bytes) {
  std::vector<std::uint32_t> out(bytes.size() / 4);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = U32(bytes, 4 * i);
  return out;
}

// Whether a directory entry's name is name, read as FreeXL reads it: the
// characters its length gives, up to the first zero.
bool NameIs(std::string_view entry, std::string_view name) {
  const std::uint16_t length = U16(entry, 0x40);  // bytes, with the closing zero
  if (length % 2 != 0 || length > 64) return false;
  std::size_t n = 0;
  while (n < length / 2u && U16(entry, 2 * n) != 0) ++n;
  if (n != name.size()) return false;
  for (std::size_t i = 0; i < n; ++i) {
    if (U16(entry, 2 * i) != static_cast<unsigned char>(name[i])) return false;
  }
  return true;
}

// The sectors of a compound document, after its header.
Sectors SectorsOf(std::string_view file) {
  if (file.size() < 512 || file.substr(0, kSignature.size()) != kSignature) throw XlsDamaged{};
  const std::uint16_t shift = U16(file, 0x1E);
  if (shift != 9 && shift != 12) throw XlsDamaged{};
  const std::size_t sectorSize = std::size_t{1} << shift;
  if (file.size() <= sectorSize) throw XlsDamaged{};
  return Sectors(file.substr(sectorSize), sectorSize);
}

// The allocation table, from the sector list in the header and its continuation.
std::vector<std::uint32_t> AllocationTable(std::string_view file, const Sectors& sectors) {
  const std::uint32_t fatSectors = U32(file, 0x2C);
  if (fatSectors > sectors.Count()) throw XlsDamaged{};
  std::vector<std::uint32_t> fatList;
  for (std::size_t i = 0; i < std::min<std::size_t>(fatSectors, kHeaderDifat); ++i) {
    fatList.push_back(U32(file, 0x4C + 4 * i));
  }
  std::uint32_t difat = U32(file, 0x44);
  for (std::size_t steps = 0; fatList.size() < fatSectors; ++steps) {
    if (steps >= sectors.Count()) throw XlsDamaged{};
    const std::vector<std::uint32_t> more = Entries(sectors.At(difat));
    if (more.empty()) throw XlsDamaged{};
    for (std::size_t i = 0; i + 1 < more.size() && fatList.size() < fatSectors; ++i) fatList.push_back(more[i]);
    difat = more.back();
  }
  std::vector<std::uint32_t> fat;
  fat.reserve(static_cast<std::size_t>(fatSectors) * (sectors.Unit() / 4));
  for (const std::uint32_t s : fatList) {
    const std::vector<std::uint32_t> part = Entries(sectors.At(s));
    fat.insert(fat.end(), part.begin(), part.end());
  }
  return fat;
}

// The directory's entries, along its chain from the sector the header names.
std::string Directory(std::string_view file, const Sectors& sectors, const std::vector<std::uint32_t>& fat) {
  std::string directory = Chain(fat, sectors, U32(file, 0x30), std::string::npos);
  if (directory.size() < kEntrySize) throw XlsDamaged{};
  return directory;
}

}  // namespace

std::uint16_t U16(std::string_view b, std::size_t at) {
  if (at > b.size() || b.size() - at < 2) throw XlsDamaged{};
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t U32(std::string_view b, std::size_t at) {
  return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

std::string DirectoryEntries(std::string_view file) {
  const Sectors sectors = SectorsOf(file);
  return Directory(file, sectors, AllocationTable(file, sectors));
}

std::string WorkbookStream(std::string_view file) {
  const Sectors sectors = SectorsOf(file);
  const std::vector<std::uint32_t> fat = AllocationTable(file, sectors);
  if (U32(file, 0x38) != kMiniStreamCutoff) throw XlsDamaged{};

  // FreeXL looks for the workbook in the directory's first sector only, and
  // takes the first entry of either name.
  const std::string directory = Directory(file, sectors, fat);
  const std::string_view firstSector = std::string_view(directory).substr(0, sectors.Unit());
  const std::string_view root = firstSector.substr(0, kEntrySize);
  std::string_view stream;
  for (std::size_t at = 0; stream.empty() && at + kEntrySize <= firstSector.size(); at += kEntrySize) {
    const std::string_view entry = firstSector.substr(at, kEntrySize);
    if (NameIs(entry, "Workbook") || NameIs(entry, "Book")) stream = entry;
  }
  if (stream.empty()) throw XlsNoWorkbook{};
  if (stream[0x42] != 2) throw XlsDamaged{};
  const std::uint32_t start = U32(stream, 0x74), size = U32(stream, 0x78);
  if (size >= kMiniStreamCutoff) return Chain(fat, sectors, start, size);

  // A small stream lies in the mini stream, in sectors of its own.
  if (U16(file, 0x20) != 6 || !NameIs(root, "Root Entry")) throw XlsDamaged{};
  const std::string mini = Chain(fat, sectors, U32(root, 0x74), U32(root, 0x78));
  const std::uint32_t miniFatSectors = U32(file, 0x40);
  if (miniFatSectors > sectors.Count()) throw XlsDamaged{};
  const std::vector<std::uint32_t> miniFat =
      Entries(Chain(fat, sectors, U32(file, 0x3C), static_cast<std::size_t>(miniFatSectors) * sectors.Unit()));
  if (mini.empty()) throw XlsDamaged{};
  return Chain(miniFat, Sectors(mini, kMiniSectorSize), start, size);
}

BiffRecord NextRecord(std::string_view stream, std::size_t& pos) {
  const std::uint16_t type = U16(stream, pos), length = U16(stream, pos + 2);
  if (stream.size() - pos - 4 < length) throw XlsDamaged{};
  const BiffRecord r{type, stream.substr(pos + 4, length)};
  pos += 4 + length;
  return r;
}

}  // namespace tavrel::xls
