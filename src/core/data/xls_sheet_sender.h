#pragma once
// The reading half of tavrel-xls-reader: the first sheet of a binary Excel
// workbook (.xls, BIFF) read with FreeXL and sent as records (xls_records.h).
#include <string>

namespace tavrel {

// Reads the first sheet of the workbook at path and writes its records to fd,
// ending with 'Z', or with 'E' and the reason when the workbook or a cell does
// not read. A failure to write is a std::system_error; a workbook too large
// for memory may end in std::bad_alloc.
void SendFirstSheet(const std::string& path, int fd);

}  // namespace tavrel
