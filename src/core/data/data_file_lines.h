#pragma once
// The lines of a data file's text: where they end, which line a position lies
// on, and the reading of a large file in pieces at the same time, one per
// processor core, each piece ending at a line end.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/run_pieces.h"
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

// Refuses, as a RangeError naming the file at path, a table of numVar columns
// of numObs values that the memory available (free memory and swap, within
// the process's limits) could not hold; asked before allocating it.
void CheckTableFits(const std::string& path, int numVar, std::int32_t numObs);

}  // namespace tavrel
