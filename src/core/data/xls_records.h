#pragma once
// FreeXL trusts lengths inside the file in places (an over-read was found by
// fuzzing), so a workbook is read by a program of its own, tavrel-xls-reader:
// whatever the library does with a hostile file, the program that loads it
// gets either the cells or a failure. The reader sends the first sheet as a
// stream of records:
//   'D' rows:u32 columns:u16   the last used cell
//   'N' value:f64              a number
//   'T' length:u32 bytes       a text (UTF-8)
//   'A' length:u32 bytes       a date or time, as text
//   'L' '0' or '1'             a true/false value
//   'F' length:u32 bytes       an error value, as text ("#DIV/0!")
//   '0'                        an empty cell
//   'E' length:u32 bytes       a failure, the last record
//   'Z'                        the end
// cells row by row, left to right, in the byte order of the machine.
#include <cstdint>

namespace tavrel {

// The longest text a record carries: more than a cell's 32767 characters can take.
inline constexpr std::uint32_t kXlsMaxText = 1u << 20;

}  // namespace tavrel
