#include "core/data/xls_sheet_sender.h"

#include <freexl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "core/base/numbers.h"
#include "core/data/sheet_table.h"
#include "core/data/xls_boolerr_cells.h"
#include "core/data/xls_records.h"
#include "core/data/xls_workbook_check.h"

namespace tavrel {

namespace {

class RecordWriter {
 public:
  explicit RecordWriter(int fd) : fd_(fd) {}
  void Byte(char c) { Put(&c, 1); }
  void U32(std::uint32_t v) { Put(&v, sizeof v); }
  void U16(std::uint16_t v) { Put(&v, sizeof v); }
  void F64(double v) { Put(&v, sizeof v); }
  void Text(char kind, const char* text) {
    const std::size_t n = std::min<std::size_t>(text ? std::strlen(text) : 0, kXlsMaxText);
    Byte(kind);
    U32(static_cast<std::uint32_t>(n));
    Put(text, n);
  }
  void Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
      const ssize_t n = write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw std::system_error(n < 0 ? errno : EIO, std::generic_category(), "records");
      done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
  }

 private:
  void Put(const void* p, std::size_t n) {
    const auto* c = static_cast<const char*>(p);
    buffer_.insert(buffer_.end(), c, c + n);
    if (buffer_.size() >= 64 * 1024) Flush();
  }
  int fd_;
  std::vector<char> buffer_;
};

std::string FreexlFailure(int code) {
  switch (code) {
    case FREEXL_FILE_NOT_FOUND:
      return "Не удаётся открыть файл";
    case FREEXL_INSUFFICIENT_MEMORY:
      return "Недостаточно памяти для книги";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
      return kXlsNoWorkbook;
    default:
      return "Книга Excel повреждена (код FreeXL " + std::to_string(code) + ")";
  }
}

// The bytes of the workbook at path; empty when it is no regular file or does not read.
std::string FileBytes(const std::string& path) {
  struct stat info {};
  std::ifstream in(path, std::ios::binary);
  if (!in || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  std::string file(static_cast<std::size_t>(info.st_size), '\0');
  in.read(file.data(), static_cast<std::streamsize>(file.size()));
  file.resize(static_cast<std::size_t>(in.gcount()));
  return file;
}

// The true/false and error cells of a workbook by row and column (XlsBoolErrCell).
using BoolErrCells = std::unordered_map<std::uint64_t, XlsBoolErrCell>;

std::uint64_t CellKey(std::uint64_t row, std::uint64_t column) { return row << 16 | column; }

BoolErrCells BoolErrCellsOf(std::string_view file) {
  BoolErrCells cells;
  for (const XlsBoolErrCell& cell : FindBoolErrCells(file)) cells[CellKey(cell.row, cell.column)] = cell;
  return cells;
}

struct DescriptorClose {
  void operator()(const int* fd) const { close(*fd); }
};

// Writes all of bytes to fd; false when it cannot.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

struct WorkbookClose {
  void operator()(const void* handle) const { freexl_close(handle); }
};

// The cells of the open workbook's first sheet, or the reason they cannot be read.
void WriteSheet(const void* handle, const BoolErrCells& boolErr, RecordWriter& out) {
  unsigned int password = 0, sheets = 0, rows = 0;
  unsigned short columns = 0;
  if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED) {
    out.Text('E', "Книга защищена паролем");
    return;
  }
  if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0) {
    out.Text('E', "В книге нет листов");
    return;
  }
  if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK ||
      freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
    out.Text('E', "Первый лист книги не читается");
    return;
  }
  out.Byte('D');
  out.U32(rows);
  out.U16(columns);
  // Beyond the limits the receiver refuses the sheet without looking at its cells.
  const bool send = columns <= SheetTable::kMaxColumns && rows <= static_cast<unsigned>(SheetTable::kMaxRows);
  for (unsigned int r = 0; send && r < rows; ++r) {
    for (unsigned short c = 0; c < columns; ++c) {
      if (const auto found = boolErr.find(CellKey(r, c)); found != boolErr.end()) {
        if (found->second.error) {
          out.Text('F', XlsErrorText(found->second.value).c_str());
        } else {
          out.Byte('L');
          out.Byte(found->second.value != 0 ? '1' : '0');
        }
        continue;
      }
      FreeXL_CellValue cell;
      if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK) {
        out.Text('E', ("Ячейка " + CellReference(static_cast<std::int32_t>(r + 1), c + 1) + " не читается").c_str());
        return;
      }
      switch (cell.type) {
        case FREEXL_CELL_INT:
          out.Byte('N');
          out.F64(cell.value.int_value);
          break;
        case FREEXL_CELL_DOUBLE:
          out.Byte('N');
          out.F64(cell.value.double_value);
          break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
          out.Text('T', cell.value.text_value);
          break;
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
          out.Text('A', cell.value.text_value);
          break;
        default:
          out.Byte('0');
      }
    }
  }
  out.Byte('Z');
}

}  // namespace

void SendFirstSheet(const std::string& path, int fd) {
  RecordWriter out(fd);
  const auto refuse = [&out](const std::string& reason) {
    out.Text('E', reason.c_str());
    out.Flush();
  };
  const std::string file = FileBytes(path);
  if (file.empty()) return refuse(FreexlFailure(FREEXL_FILE_NOT_FOUND));
  if (const std::string fault = XlsWorkbookFault(file); !fault.empty()) return refuse(fault);
  // FreeXL reads the very bytes checked here, even if the file changes meanwhile.
  const int copy = memfd_create("workbook", MFD_CLOEXEC);
  const std::unique_ptr<const int, DescriptorClose> copyOwner(copy >= 0 ? &copy : nullptr);
  if (copy < 0 || !WriteAll(copy, file)) return refuse(FreexlFailure(FREEXL_INSUFFICIENT_MEMORY));
  const void* handle = nullptr;
  const int opened = freexl_open(("/proc/self/fd/" + std::to_string(copy)).c_str(), &handle);
  if (opened != FREEXL_OK) return refuse(FreexlFailure(opened));
  const std::unique_ptr<const void, WorkbookClose> workbook(handle);
  WriteSheet(handle, BoolErrCellsOf(file), out);
  out.Flush();
}

}  // namespace tavrel
