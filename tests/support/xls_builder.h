#pragma once
// Small binary Excel workbooks (.xls, BIFF8 in a compound document) put
// together byte by byte, for the tests and the fuzzer seeds.
//
// The compound document has 512-byte sectors: the header, then sector 0 (the
// allocation table, at file offset 512), sector 1 (the directory) and the
// stream from sector 2 on, each sector chained to the next. A stream kept in
// the mini stream has its mini allocation table in sector 2 and the mini
// stream from sector 3 on.
#include <cstdint>
#include <string>

namespace tavrel::test {

std::string U16Bytes(std::uint16_t v);
std::string U32Bytes(std::uint32_t v);

// One BIFF record.
std::string BiffRecord(std::uint16_t type, const std::string& data);

// Cell records, rows and columns from 0.
std::string XlsNumber(std::uint16_t row, std::uint16_t column, double value);
std::string XlsBoolErr(std::uint16_t row, std::uint16_t column, std::uint8_t value, bool error);
// A formula whose last value is a true/false value (kind 1) or an error (kind 2).
std::string XlsFormulaResult(std::uint16_t row, std::uint16_t column, std::uint8_t kind, std::uint8_t value);

// A BIFF8 workbook stream: globals naming one sheet, whose used range is rows
// by columns and whose cell records are cells. Padded with zeros to pad bytes.
std::string XlsWorkbookStream(std::uint16_t rows, std::uint16_t columns, const std::string& cells,
                              std::size_t pad = 4096);

// A compound document whose one stream, name, holds stream; in the mini
// stream when mini is set (the stream must be shorter than 4096 bytes then).
std::string XlsCompoundFile(const std::string& stream, const std::string& name = "Workbook", bool mini = false);

}  // namespace tavrel::test
