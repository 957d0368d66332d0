#include "core/data/data_file_lines.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/base/errors.h"

namespace tavrel {

namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// What the machine can give a table of values: the memory available (free
// memory and swap) and the process's own limits.
std::uint64_t AvailableMemory() {
  std::uint64_t available = UINT64_MAX;
  if (std::FILE* info = std::fopen("/proc/meminfo", "r")) {
    char line[256];
    std::uint64_t total = 0;
    bool found = false;
    while (std::fgets(line, sizeof line, info)) {
      unsigned long long kb = 0;
      if (std::sscanf(line, "MemAvailable: %llu kB", &kb) == 1 || std::sscanf(line, "SwapFree: %llu kB", &kb) == 1) {
        total += kb * 1024;
        found = true;
      }
    }
    std::fclose(info);
    if (found) available = total;
  }
  for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
    rlimit limit{};
    if (getrlimit(resource, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
      available = std::min<std::uint64_t>(available, limit.rlim_cur);
  }
  return available;
}

}  // namespace

FileText ReadWholeText(const DataFile& file) {
  auto text = std::make_shared<std::string>(static_cast<std::size_t>(file.Size()), '\0');
  file.ReadAt(0, text->data(), text->size());
  file.CheckUnchanged();
  FileText f{file.Path(), text, *text, 0};
  return f;
}

// The position of the first CR or LF at or after from, or b.size().
std::size_t FindLineEnd(std::string_view b, std::size_t from) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.data());
  const std::size_t n = b.size();
  std::size_t i = from;
  // Sixteen bytes at a time; the first line end in the block is found below.
  using Bytes = unsigned char __attribute__((vector_size(16)));
  for (; i + 16 <= n; i += 16) {
    Bytes v;
    std::memcpy(&v, p + i, sizeof v);
    const auto end = (v == '\n') | (v == '\r');
    std::uint64_t halves[2];
    std::memcpy(halves, &end, sizeof halves);
    if ((halves[0] | halves[1]) != 0) break;
  }
  while (i < n && !IsLineEnd(b[i])) ++i;
  return i;
}

// The position just after the line end at pos (CR LF is one line end, as is a
// lone CR or LF).
std::size_t PastLineEnd(std::string_view b, std::size_t pos) {
  if (pos >= b.size()) return b.size();
  return b[pos] == '\r' && pos + 1 < b.size() && b[pos + 1] == '\n' ? pos + 2 : pos + 1;
}

// The line (from 1) the position lies on: LF, CR LF and a lone CR each end a line.
std::int64_t LineAt(const FileText& f, std::size_t pos) {
  const std::string_view b = f.bytes;
  std::int64_t line = 1;
  for (std::size_t i = 0; i < pos && i < b.size(); ++i) {
    if (b[i] == '\n' || (b[i] == '\r' && (i + 1 >= b.size() || b[i + 1] != '\n'))) ++line;
  }
  return line;
}

// "Файл <path>, строка <n>: " in front of what went wrong there.
std::string Where(const FileText& f, std::size_t pos) {
  return "Файл " + f.path + ", строка " + std::to_string(LineAt(f, pos)) + ": ";
}

// A piece of a large file is read by a thread of its own; below this size a
// thread costs more than it saves.
constexpr std::size_t kPieceBytes = 1 << 20;

int PiecesFor(std::size_t bytes) {
  const std::size_t most = bytes / kPieceBytes;
  if (most < 2) return 1;
  return static_cast<int>(std::min<std::size_t>(most, static_cast<std::size_t>(CoreCount())));
}

// The rest of the file from its position, in pieces that each end just after
// a line end (the last at the end of the file). Each piece sees the file up to
// its own end, so that it reports lines as the whole file numbers them.
std::vector<FileText> SplitAtLineEnds(const FileText& f, int pieces) {
  std::vector<FileText> parts;
  std::size_t begin = f.pos;
  for (int k = 1; k <= pieces; ++k) {
    std::size_t end = f.bytes.size();
    if (k < pieces) {
      // A split never falls between the CR and the LF of one line end.
      const std::size_t at = std::max(begin, f.pos + (f.bytes.size() - f.pos) / pieces * k);
      end = PastLineEnd(f.bytes, FindLineEnd(f.bytes, at));
    }
    FileText part{f.path, f.text, f.bytes.substr(0, end), begin};
    parts.push_back(std::move(part));
    begin = end;
  }
  return parts;
}

void CheckTableFits(const std::string& path, int numVar, std::int32_t numObs) {
  const std::uint64_t bytes = static_cast<std::uint64_t>(numVar) * static_cast<std::uint64_t>(numObs) * sizeof(double);
  const std::uint64_t available = AvailableMemory();
  if (bytes <= available) return;
  constexpr std::uint64_t kMb = 1024 * 1024;
  throw RangeError("Файл " + path + ": таблица из " + std::to_string(numVar) + " переменных и " +
                   std::to_string(numObs) + " наблюдений заняла бы " + std::to_string((bytes + kMb - 1) / kMb) +
                   " МБ памяти, а доступно " + std::to_string(available / kMb) + " МБ");
}

}  // namespace tavrel
