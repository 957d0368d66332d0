#pragma once
// The first sheet of a binary Excel workbook (.xls, BIFF), read by the program
// tavrel-xls-reader (FreeXL in a process of its own; see xls_records.h).
#include <cstdint>
#include <string>

namespace tavrel {

class SheetTable;

inline constexpr const char* kXlsReaderProgram = "tavrel-xls-reader";
// A reader that sends nothing for this long is stopped.
inline constexpr int kXlsSilenceSeconds = 60;

// The reader program in programDir (ending with "/"); with an empty
// programDir, the one beside the running program.
std::string XlsReaderPath(const std::string& programDir);

// Starts the reader program at readerPath on the workbook at path and hands
// every cell of its first sheet to table. The reader is stopped when it stays
// silent for silenceSeconds, and stopped and reaped on every path. Failures
// are SpreadsheetErrors.
void ReadXls(const std::string& path, const std::string& readerPath, SheetTable& table,
             int silenceSeconds = kXlsSilenceSeconds);

// The receiving half on its own: the records of a first sheet read from fd
// into table, up to and including the final 'Z', for a workbook of fileSize
// bytes (0 when unknown). Records that break off or break the protocol are a
// SpreadsheetError, as is the reader's own failure record.
void ReceiveFirstSheet(int fd, std::uint64_t fileSize, SheetTable& table, int silenceSeconds = kXlsSilenceSeconds);

}  // namespace tavrel
