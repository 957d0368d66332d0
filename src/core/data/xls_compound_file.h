#pragma once
// Reading a binary Excel workbook's own bytes, besides FreeXL: the workbook
// stream of its compound document and the BIFF records in that stream. The
// file is hostile until read: every offset, length and chain is checked, and
// whatever does not read as it should throws XlsDamaged.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrel::xls {

struct XlsDamaged {};
// A compound document without a workbook stream where FreeXL looks for one
// (another program's document, or an encrypted workbook).
struct XlsNoWorkbook : XlsDamaged {};

std::uint16_t U16(std::string_view bytes, std::size_t at);
std::uint32_t U32(std::string_view bytes, std::size_t at);

// The compound document's signature, its first eight bytes.
inline constexpr std::string_view kSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

// The bytes a directory entry takes.
inline constexpr std::size_t kEntrySize = 128;

// The bytes of every directory entry of the compound document, kEntrySize for each.
std::string DirectoryEntries(std::string_view file);

// The workbook stream of a compound document: the first entry of the
// directory's first sector named "Workbook" or "Book", as FreeXL finds it.
std::string WorkbookStream(std::string_view file);

// BIFF5 and BIFF8 record types: the only ones FreeXL finds sheets in when
// they lie in a compound document (the older BIFF2 to 4 it reads only as bare
// streams, which the loading program does not take for workbooks).
inline constexpr std::uint16_t kBof = 0x0809;
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kBoundSheet = 0x0085;
inline constexpr std::uint16_t kBoolErr = 0x0205;

struct BiffRecord {
  std::uint16_t type;
  std::string_view data;
};

// The record at pos in stream, moving pos past it.
BiffRecord NextRecord(std::string_view stream, std::size_t& pos);

}  // namespace tavrel::xls
