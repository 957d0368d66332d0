#include "xls_builder.h"

#include <cstring>
#include <stdexcept>

namespace tavrel::test {

namespace {

constexpr std::uint32_t kFree = 0xFFFFFFFF, kEndOfChain = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD;
constexpr std::size_t kSector = 512;

std::string F64Bytes(double v) {
  std::string s(8, '\0');
  std::memcpy(s.data(), &v, 8);
  return s;
}

std::string Cell(std::uint16_t row, std::uint16_t column) { return U16Bytes(row) + U16Bytes(column) + U16Bytes(0); }

std::string Bof(std::uint16_t kind) {
  return BiffRecord(0x0809, U16Bytes(0x0600) + U16Bytes(kind) + U16Bytes(0x0DBB) + U16Bytes(0x07CC) + U32Bytes(0) +
                                U32Bytes(6));
}

std::string Eof() { return BiffRecord(0x000A, ""); }

// A sector's worth of allocation entries: chains for each [first, first + count), then free.
std::string Table(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> chains,
                  std::uint32_t fatSector = kFree) {
  std::uint32_t entries[kSector / 4];
  for (auto& e : entries) e = kFree;
  for (const auto& [first, count] : chains) {
    if (first + count > kSector / 4) throw std::length_error("the test stream is too long");
    for (std::uint32_t i = 0; i < count; ++i) entries[first + i] = i + 1 < count ? first + i + 1 : kEndOfChain;
  }
  if (fatSector != kFree) entries[fatSector] = kFatSector;
  std::string s;
  for (const auto e : entries) s += U32Bytes(e);
  return s;
}

std::string DirectoryEntry(const std::string& name, std::uint8_t type, std::uint32_t child, std::uint32_t start,
                           std::uint32_t size) {
  std::string e(128, '\0');
  for (std::size_t i = 0; i < name.size(); ++i) e[2 * i] = name[i];
  e.replace(0x40, 2, U16Bytes(static_cast<std::uint16_t>(name.empty() ? 0 : 2 * (name.size() + 1))));
  e[0x42] = static_cast<char>(type);
  e[0x43] = 1;
  e.replace(0x44, 12, U32Bytes(kFree) + U32Bytes(kFree) + U32Bytes(child));
  e.replace(0x74, 8, U32Bytes(start) + U32Bytes(size));
  return e;
}

std::string Padded(std::string s) {
  s.resize((s.size() + kSector - 1) / kSector * kSector, '\0');
  return s;
}

std::uint32_t SectorsOf(std::size_t bytes, std::size_t unit) { return static_cast<std::uint32_t>((bytes + unit - 1) / unit); }

}  // namespace

std::string U16Bytes(std::uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

std::string U32Bytes(std::uint32_t v) {
  return U16Bytes(static_cast<std::uint16_t>(v & 0xFFFF)) + U16Bytes(static_cast<std::uint16_t>(v >> 16));
}

std::string BiffRecord(std::uint16_t type, const std::string& data) {
  return U16Bytes(type) + U16Bytes(static_cast<std::uint16_t>(data.size())) + data;
}

std::string XlsNumber(std::uint16_t row, std::uint16_t column, double value) {
  return BiffRecord(0x0203, Cell(row, column) + F64Bytes(value));
}

std::string XlsBoolErr(std::uint16_t row, std::uint16_t column, std::uint8_t value, bool error) {
  return BiffRecord(0x0205, Cell(row, column) + std::string{static_cast<char>(value), static_cast<char>(error)});
}

std::string XlsFormulaResult(std::uint16_t row, std::uint16_t column, std::uint8_t kind, std::uint8_t value) {
  const std::string result = std::string{static_cast<char>(kind), '\0', static_cast<char>(value), '\0', '\0', '\0'} +
                             U16Bytes(0xFFFF);
  // flags, a cache word, then a formula of no tokens
  return BiffRecord(0x0006, Cell(row, column) + result + U16Bytes(0) + U32Bytes(0) + U16Bytes(0));
}

std::string XlsWorkbookStream(std::uint16_t rows, std::uint16_t columns, const std::string& cells, std::size_t pad) {
  const std::string xf = BiffRecord(0x00E0, U16Bytes(0) + U16Bytes(0) + U16Bytes(0x0001) + U16Bytes(0x0020) +
                                                U16Bytes(0xF800) + U32Bytes(0) + U32Bytes(0) + U16Bytes(0x20C0));
  const std::string head = Bof(0x0005) + BiffRecord(0x0042, U16Bytes(1200)) + xf;
  const std::string sheetName = std::string{'\x02', '\0'} + "S1";
  const std::size_t boundSheetSize = 4 + 6 + sheetName.size();
  const auto sheetAt = static_cast<std::uint32_t>(head.size() + boundSheetSize + 4);
  std::string stream = head + BiffRecord(0x0085, U32Bytes(sheetAt) + std::string(2, '\0') + sheetName) + Eof();
  stream += Bof(0x0010) +
            BiffRecord(0x0200, U32Bytes(0) + U32Bytes(rows) + U16Bytes(0) + U16Bytes(columns) + U16Bytes(0)) + cells +
            Eof();
  if (stream.size() < pad) stream.resize(pad, '\0');
  return stream;
}

std::string XlsCompoundFile(const std::string& stream, const std::string& name, bool mini) {
  std::string header(kSector, '\0');
  header.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
  header.replace(0x18, 10, U16Bytes(0x003E) + U16Bytes(3) + U16Bytes(0xFFFE) + U16Bytes(9) + U16Bytes(6));
  header.replace(0x2C, 8, U32Bytes(1) + U32Bytes(1));
  header.replace(0x38, 4, U32Bytes(4096));
  header.replace(0x44, 8, U32Bytes(kEndOfChain) + U32Bytes(0));
  header.replace(0x4C, 4, U32Bytes(0));
  for (std::size_t at = 0x50; at < kSector; at += 4) header.replace(at, 4, U32Bytes(kFree));
  const auto size = static_cast<std::uint32_t>(stream.size());
  if (!mini) {
    header.replace(0x3C, 8, U32Bytes(kEndOfChain) + U32Bytes(0));
    const std::string directory = DirectoryEntry("Root Entry", 5, 1, kEndOfChain, 0) +
                                  DirectoryEntry(name, 2, kFree, 2, size) + DirectoryEntry("", 0, kFree, 0, 0) +
                                  DirectoryEntry("", 0, kFree, 0, 0);
    return header + Table({{1, 1}, {2, SectorsOf(stream.size(), kSector)}}, 0) + directory + Padded(stream);
  }
  if (stream.size() >= 4096) throw std::length_error("a mini stream holds less than 4096 bytes");
  header.replace(0x3C, 8, U32Bytes(2) + U32Bytes(1));
  const std::uint32_t miniSectors = SectorsOf(stream.size(), 64);
  std::string miniFat;
  for (std::uint32_t i = 0; i < kSector / 4; ++i) {
    miniFat += U32Bytes(i + 1 < miniSectors ? i + 1 : i + 1 == miniSectors ? kEndOfChain : kFree);
  }
  const std::string directory = DirectoryEntry("Root Entry", 5, 1, 3, miniSectors * 64) +
                                DirectoryEntry(name, 2, kFree, 0, size) + DirectoryEntry("", 0, kFree, 0, 0) +
                                DirectoryEntry("", 0, kFree, 0, 0);
  return header + Table({{1, 1}, {2, 1}, {3, SectorsOf(stream.size(), kSector)}}, 0) + directory + miniFat +
         Padded(stream);
}

}  // namespace tavrel::test
