// tavrel-xls-reader WORKBOOK: reads the first sheet of a binary Excel workbook
// with FreeXL and writes it to standard output as records
// (core/data/xls_records.h) for the program that started it. Exit status 0
// when every record was written (a failure record included), 2 for a wrong
// call, 4 when the reading broke off.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/data/xls_sheet_sender.h"

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVREL_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TAVREL_ASAN 1
#endif

// Bounds this process's memory: what it has now, plus room for a sheet of the
// largest size (65536 rows of 256 cells) and the file itself several times.
void LimitMemory(const std::string& path) {
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

// A reader that FreeXL crashes on a hostile file (its loading program then
// refuses the file) leaves no core file behind in the user's directory.
void NoCoreFile() {
  const rlimit none{0, 0};
  setrlimit(RLIMIT_CORE, &none);
}

}  // namespace

#if defined(TAVREL_ASAN) && defined(TAVREL_ASAN_SUPPRESSIONS)
// Sanitizer builds: FreeXL's known over-read on a damaged workbook happens in
// this program, which then fails the load as it should; the suppression keeps
// its report out of the test log.
extern "C" const char* __asan_default_options() { return "suppressions=" TAVREL_ASAN_SUPPRESSIONS; }
#endif

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: tavrel-xls-reader WORKBOOK\n", stderr);
    return 2;
  }
  LimitMemory(argv[1]);
  NoCoreFile();
  try {
    tavrel::SendFirstSheet(argv[1], STDOUT_FILENO);
  } catch (...) {
    return 4;
  }
  return 0;
}
