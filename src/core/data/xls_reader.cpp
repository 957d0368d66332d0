#include "core/data/xls_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/base/numbers.h"
#include "core/base/program_directory.h"
#include "core/base/system_error_text.h"
#include "core/data/observation_dates.h"
#include "core/data/sheet_table.h"
#include "core/data/xls_records.h"

// The reader is started with posix_spawn, never with a fork of this process:
// this program runs other threads (the window system's, the helper thread),
// and after a fork without an exec the child could not even allocate safely.

namespace tavrel {

namespace {

[[noreturn]] void Interrupted() { ThrowSpreadsheetError("Книга Excel повреждена (чтение прервано)"); }

// The records as they arrive on fd. A stream that ends, stays silent too long
// or carries a text beyond bounds breaks the reading off.
class RecordStream {
 public:
  RecordStream(int fd, int silenceSeconds) : fd_(fd), silenceSeconds_(silenceSeconds) {}

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
    if (n > kXlsMaxText) Interrupted();
    std::string s(n, '\0');
    Read(s.data(), n);
    return s;
  }

 private:
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
  void Fill() {
    pollfd p{fd_, POLLIN, 0};
    int ready;
    while ((ready = poll(&p, 1, silenceSeconds_ * 1000)) < 0 && errno == EINTR) {
    }
    if (ready <= 0) Interrupted();
    ssize_t n;
    while ((n = read(fd_, buffer_, sizeof buffer_)) < 0 && errno == EINTR) {
    }
    if (n <= 0) Interrupted();
    pos_ = 0;
    end_ = static_cast<std::size_t>(n);
  }

  int fd_;
  int silenceSeconds_;
  char buffer_[64 * 1024];
  std::size_t pos_ = 0, end_ = 0;
};

// A descriptor closed with its owner.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { close(fd_); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// How long a reader whose records are no longer wanted may take to leave on
// its own before it is killed.
constexpr int kLeaveMilliseconds = 1000;

// True when the process pid ends within milliseconds.
bool EndsWithin(pid_t pid, int milliseconds) {
  const auto handle = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  if (handle < 0) return false;
  const Descriptor closed(handle);
  pollfd p{handle, POLLIN, 0};
  int ready;
  while ((ready = poll(&p, 1, milliseconds)) < 0 && errno == EINTR) {
  }
  return ready > 0;
}

// The running reader and the pipe its records arrive through: stopped and
// reaped on every path.
class ReaderProcess {
 public:
  ReaderProcess(pid_t pid, int input) : pid_(pid), input_(input) {}
  ~ReaderProcess() {
    if (pid_ <= 0) return;
    // The records were refused or broke off. With the pipe closed, a reader
    // still writing ends at once and one that has written everything leaves
    // normally, finishing its own exit; only one that has gone silent
    // (stuck in a hostile workbook) is killed.
    CloseInput();
    if (!EndsWithin(pid_, kLeaveMilliseconds)) kill(pid_, SIGKILL);
    EndedWell();
  }
  ReaderProcess(const ReaderProcess&) = delete;
  ReaderProcess& operator=(const ReaderProcess&) = delete;

  int input() const { return input_; }

  // Waits for the reader's end; true when it ended normally.
  bool EndedWell() {
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    CloseInput();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

 private:
  void CloseInput() {
    if (input_ >= 0) close(input_);
    input_ = -1;
  }

  pid_t pid_;
  int input_;
};

// Starts reader on the workbook at path with its standard output on out,
// its standard input empty and no other descriptor of this process, every
// signal unblocked and at its default. Returns 0 or the error number.
int StartReader(const std::string& reader, const std::string& path, int out, pid_t& pid) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  int error = posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (error == 0) error = posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  if (error == 0) error = posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  if (error == 0) error = posix_spawnattr_setsigmask(&attributes, &none);
  if (error == 0) error = posix_spawnattr_setsigdefault(&attributes, &all);
  if (error == 0) error = posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  if (error == 0) {
    char* const argv[] = {const_cast<char*>(reader.c_str()), const_cast<char*>(path.c_str()), nullptr};
    error = posix_spawn(&pid, reader.c_str(), &actions, &attributes, argv, environ);
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error;
}

}  // namespace

std::string XlsReaderPath(const std::string& programDir) {
  return (programDir.empty() ? RunningProgramDirectory() : programDir) + kXlsReaderProgram;
}

void ReceiveFirstSheet(int fd, std::uint64_t fileSize, SheetTable& table, int silenceSeconds) {
  RecordStream records(fd, silenceSeconds);
  const char first = records.Byte();
  if (first == 'E') ThrowSpreadsheetError(records.Text());
  if (first != 'D') Interrupted();
  const auto rows = records.Value<std::uint32_t>();
  const auto columns = records.Value<std::uint16_t>();
  if (rows == 0 || columns == 0) {
    if (records.Byte() != 'Z') Interrupted();
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
      const char kind = records.Byte();
      if (kind == 'E') ThrowSpreadsheetError(records.Text());
      const double number = kind == 'N' ? records.Value<double>() : 0.0;
      const std::string text = kind == 'T' || kind == 'A' || kind == 'F' ? records.Text() : std::string();
      const char truth = kind == 'L' ? records.Byte() : '0';
      if (kind != 'N' && kind != 'T' && kind != 'A' && kind != 'F' && kind != 'L' && kind != '0') Interrupted();
      if (truth != '0' && truth != '1') Interrupted();
      if (row == 1) {
        table.SetName(column, kind == 'N' ? FloatText(number) : kind == 'L' ? (truth == '1' ? "TRUE" : "FALSE") : text);
      } else if (kind == 'N') {
        table.SetNumber(row, column, number);
      } else if (kind == 'T') {
        table.SetText(row, column, text);
      } else if (kind == 'A') {
        // FreeXL writes dates as "2024-01-05" (with the time of day after a
        // blank); a time of day alone is no observation's date.
        double serial = 0;
        if (!ParseDateText(text, serial)) table.Refuse(row, column, "содержит дату, а не число");
        table.SetDate(row, column, serial);
      } else if (kind == 'L') {
        table.Refuse(row, column, "содержит логическое значение, а не число");
      } else if (kind == 'F') {
        table.Refuse(row, column, "содержит ошибку " + text);
      } else {
        table.Refuse(row, column, "пуста");
      }
    }
  }
  if (records.Byte() != 'Z') Interrupted();
}

void ReadXls(const std::string& path, const std::string& readerPath, SheetTable& table, int silenceSeconds) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) ThrowSpreadsheetError("Не удаётся начать чтение книги");
  pid_t pid = -1;
  int error;
  {
    const Descriptor output(fds[1]);
    error = StartReader(readerPath, path, output.fd(), pid);
  }
  if (error != 0) {
    close(fds[0]);
    ThrowSpreadsheetError("Не удаётся начать чтение книги: не запускается программа " + readerPath + ": " +
                          SystemErrorText(error));
  }
  ReaderProcess reader(pid, fds[0]);
  std::error_code sizeError;
  const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
  ReceiveFirstSheet(reader.input(), sizeError ? 0 : size, table, silenceSeconds);
  if (!reader.EndedWell()) Interrupted();
}

}  // namespace tavrel
