#pragma once
// The lines of a data file's text: where they end, which line a position lies
// on, and the reading of a large file in pieces at the same time, one per
// processor core, each piece ending at a line end.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "core/data/data_input.h"

namespace tavrel {

// A data file's whole text (a CSV file is read whole) and the position reached in it.
struct FileText {
  std::string path;
  std::shared_ptr<const std::string> text;
  std::string_view bytes;  // of text, or the part of it a piece sees
  std::size_t pos = 0;
};

// The whole text of the open file (an InOutError, kChangedWhileRead, when it
// changed since it was opened).
FileText ReadWholeText(const DataFile& file);

// The position of the first CR or LF at or after from, or b.size().
std::size_t FindLineEnd(std::string_view b, std::size_t from);
// The position just after the line end at pos (CR LF is one line end, as is a
// lone CR or LF).
std::size_t PastLineEnd(std::string_view b, std::size_t pos);
// The line (from 1) the position lies on: LF, CR LF and a lone CR each end a line.
std::int64_t LineAt(const FileText& f, std::size_t pos);
// "Файл <path>, строка <n>: " in front of what went wrong there.
std::string Where(const FileText& f, std::size_t pos);

// How many pieces a file of this size is read in.
int PiecesFor(std::size_t bytes);
// The rest of the file from its position, in pieces that each end just after
// a line end (the last at the end of the file). Each piece sees the file up to
// its own end, so that it reports lines as the whole file numbers them.
std::vector<FileText> SplitAtLineEnds(const FileText& f, int pieces);

// Runs work(0) .. work(pieces - 1) at the same time, work(0) on the calling
// thread (and any piece no thread could be started for). When pieces fail,
// the failure of the first of them is rethrown, as a reading in one go would
// have met it first.
template <class Work>
void RunPieces(int pieces, const Work& work) {
  std::vector<std::exception_ptr> failures(static_cast<std::size_t>(pieces));
  const auto guarded = [&](int k) {
    try {
      work(k);
    } catch (...) {
      failures[k] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (int k = 1; k < pieces; ++k) {
    try {
      threads.emplace_back(guarded, k);
    } catch (const std::system_error&) {
      guarded(k);
    }
  }
  guarded(0);
  for (std::thread& t : threads) t.join();
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}


// Refuses, as a RangeError naming the file at path, a table of numVar columns
// of numObs values that the memory available (free memory and swap, within
// the process's limits) could not hold; asked before allocating it.
void CheckTableFits(const std::string& path, int numVar, std::int32_t numObs);

}  // namespace tavrel
