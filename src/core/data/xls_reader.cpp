#include "core/data/xls_reader.h"

#include <fcntl.h>
#include <freexl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/data/numbers.h"
#include "core/data/sheet_table.h"

// FreeXL trusts lengths inside the file in places (an over-read was found by
// fuzzing), so the workbook is read in a child process: whatever the library
// does with a hostile file, this process gets either the cells or a failure.
// The child sends the first sheet as a stream of records:
//   'D' rows:u32 columns:u16   the last used cell
//   'N' value:f64              a number
//   'T' length:u32 bytes       a text (UTF-8)
//   'A' length:u32 bytes       a date or time, as text
//   '0'                        an empty cell
//   'E' length:u32 bytes       a failure, the last record
//   'Z'                        the end
// cells row by row, left to right.

namespace tavrel {

namespace {

constexpr int kSilenceSeconds = 60;           // a child that sends nothing for this long is stopped
constexpr std::uint32_t kMaxText = 1u << 20;  // more than a cell's 32767 characters can take

// --- the child ---

class RecordWriter {
 public:
  explicit RecordWriter(int fd) : fd_(fd) {}
  ~RecordWriter() { Flush(); }
  void Byte(char c) { Put(&c, 1); }
  void U32(std::uint32_t v) { Put(&v, sizeof v); }
  void U16(std::uint16_t v) { Put(&v, sizeof v); }
  void F64(double v) { Put(&v, sizeof v); }
  void Text(char kind, const char* text) {
    const std::size_t n = text ? std::strlen(text) : 0;
    Byte(kind);
    U32(static_cast<std::uint32_t>(std::min<std::size_t>(n, kMaxText)));
    Put(text, std::min<std::size_t>(n, kMaxText));
  }
  void Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
      const ssize_t n = write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) _exit(3);
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
      return "В файле нет книги Excel (возможно, она защищена паролем)";
    default:
      return "Книга Excel повреждена (код FreeXL " + std::to_string(code) + ")";
  }
}

// Reads the first sheet with FreeXL and sends it; returns the exit status.
int SendFirstSheet(const std::string& path, RecordWriter& out) {
  const void* handle = nullptr;
  const int opened = freexl_open(path.c_str(), &handle);
  if (opened != FREEXL_OK) {
    out.Text('E', FreexlFailure(opened).c_str());
    return 0;
  }
  unsigned int password = 0, sheets = 0, rows = 0;
  unsigned short columns = 0;
  if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED) {
    out.Text('E', "Книга защищена паролем");
  } else if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0) {
    out.Text('E', "В книге нет листов");
  } else if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK ||
             freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
    out.Text('E', "Первый лист книги не читается");
  } else {
    out.Byte('D');
    out.U32(rows);
    out.U16(columns);
    // Beyond the limits the parent refuses the sheet without looking at its cells.
    const bool send = columns <= SheetTable::kMaxColumns && rows <= static_cast<unsigned>(SheetTable::kMaxRows);
    for (unsigned int r = 0; send && r < rows; ++r) {
      for (unsigned short c = 0; c < columns; ++c) {
        FreeXL_CellValue cell;
        if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK) {
          out.Text('E', ("Ячейка " + CellReference(static_cast<std::int32_t>(r + 1), c + 1) + " не читается").c_str());
          freexl_close(handle);
          return 0;
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
  freexl_close(handle);
  return 0;
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVREL_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TAVREL_ASAN 1
#endif

// Bounds the child's memory: what it has now, plus room for a sheet of the
// largest size (65536 rows of 256 cells) and the file itself several times.
void LimitChildMemory(const std::string& path) {
#ifndef TAVREL_ASAN  // the sanitizer reserves vast address space of its own
  long pages = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  struct stat info {};
  const rlim_t fileSize = stat(path.c_str(), &info) == 0 ? static_cast<rlim_t>(info.st_size) : 0;
  const rlim_t limit =
      static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{2} << 30) + 16 * fileSize;
  const rlimit bound{limit, limit};
  setrlimit(RLIMIT_AS, &bound);
#else
  (void)path;
#endif
}

// --- this process ---

// The child and its pipe; stopping and reaping it on every path.
class Child {
 public:
  Child(pid_t pid, int fd) : pid_(pid), fd_(fd) {}
  ~Child() {
    close(fd_);
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      Reap();
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // Waits for the child's end; true when it ended normally.
  bool Reap() {
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

  void Read(void* p, std::size_t n) {
    auto* out = static_cast<char*>(p);
    while (n > 0) {
      if (pos_ == end_) Fill();
      const std::size_t take = std::min(n, end_ - pos_);
      std::memcpy(out, buffer_ + pos_, take);
      pos_ += take;
      out += take;
      n -= take;
    }
  }
  char Byte() {
    char c;
    Read(&c, 1);
    return c;
  }
  template <class T>
  T Value() {
    T v;
    Read(&v, sizeof v);
    return v;
  }
  std::string Text() {
    const auto n = Value<std::uint32_t>();
    if (n > kMaxText) Broken();
    std::string s(n, '\0');
    Read(s.data(), n);
    return s;
  }

  [[noreturn]] void Broken() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      Reap();
    }
    ThrowSpreadsheetError("Книга Excel повреждена (чтение прервано)");
  }

 private:
  void Fill() {
    pollfd p{fd_, POLLIN, 0};
    int ready;
    while ((ready = poll(&p, 1, kSilenceSeconds * 1000)) < 0 && errno == EINTR) {
    }
    if (ready <= 0) Broken();
    ssize_t n;
    while ((n = read(fd_, buffer_, sizeof buffer_)) < 0 && errno == EINTR) {
    }
    if (n <= 0) Broken();
    pos_ = 0;
    end_ = static_cast<std::size_t>(n);
  }

  pid_t pid_;
  int fd_;
  char buffer_[64 * 1024];
  std::size_t pos_ = 0, end_ = 0;
};

void ReceiveFirstSheet(Child& child, std::uint64_t fileSize, SheetTable& table) {
  const char first = child.Byte();
  if (first == 'E') ThrowSpreadsheetError(child.Text());
  if (first != 'D') child.Broken();
  const auto rows = child.Value<std::uint32_t>();
  const auto columns = child.Value<std::uint16_t>();
  if (rows == 0 || columns == 0) {
    if (child.Byte() != 'Z') child.Broken();
    return;
  }
  // The last used cell bounds the table; beyond the limits nothing more is read.
  table.Visit(static_cast<std::int32_t>(std::min<std::uint32_t>(rows, SheetTable::kMaxRows + 1u)), columns);
  // Room only for what the file can hold: a number takes at least 6 bytes of it.
  const std::uint64_t fits = fileSize / (6u * columns) + 1;
  table.Reserve(columns, static_cast<std::int32_t>(std::min<std::uint64_t>(rows, fits)));
  for (std::uint32_t r = 0; r < rows; ++r) {
    const auto row = static_cast<std::int32_t>(r + 1);
    for (int column = 1; column <= columns; ++column) {
      const char kind = child.Byte();
      if (kind == 'E') ThrowSpreadsheetError(child.Text());
      const double number = kind == 'N' ? child.Value<double>() : 0.0;
      const std::string text = kind == 'T' || kind == 'A' ? child.Text() : std::string();
      if (kind != 'N' && kind != 'T' && kind != 'A' && kind != '0') child.Broken();
      if (row == 1) {
        table.SetName(column, kind == 'N' ? FloatText(number) : text);
      } else if (kind == 'N') {
        table.SetNumber(row, column, number);
      } else if (kind == 'T') {
        table.SetText(row, column, text);
      } else if (kind == 'A') {
        table.Refuse(row, column, "содержит дату, а не число");
      } else {
        table.Refuse(row, column, "пуста");
      }
    }
  }
  if (child.Byte() != 'Z') child.Broken();
  if (!child.Reap()) ThrowSpreadsheetError("Книга Excel повреждена (чтение прервано)");
}

}  // namespace

void ReadXls(const std::string& path, SheetTable& table) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) ThrowSpreadsheetError("Не удаётся начать чтение книги");
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    ThrowSpreadsheetError("Не удаётся начать чтение книги");
  }
  if (pid == 0) {
    close(fds[0]);
    LimitChildMemory(path);
    int status = 4;
    try {
      RecordWriter out(fds[1]);
      status = SendFirstSheet(path, out);
    } catch (...) {
    }
    _exit(status);
  }
  close(fds[1]);
  Child child(pid, fds[0]);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  ReceiveFirstSheet(child, error ? 0 : size, table);
}

}  // namespace tavrel
