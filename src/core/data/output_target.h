#pragma once
// The rule every file the program writes follows (reports, saved tables,
// pictures), whichever window or command writes it: what may be written, and how.
#include <string>

namespace tavrel {

// What stands at an output's path.
enum class OutputKind {
  NewFile,      // nothing yet: a new file is made
  RegularFile,  // a file: appended to, or replaced only once the new content is complete
  Device,       // a character device (a terminal, /dev/null): written directly, never replaced
};

struct OutputTarget {
  OutputKind kind = OutputKind::NewFile;
  // The file written: where the path is a symbolic link, the file it points
  // to, so a replacement keeps the link.
  std::string file;
};

// The files an output must never be (an empty name stands for none).
struct KeptFiles {
  std::string dataFile;     // the loaded data file
  std::string resultsFile;  // the report of the same run, when a second output is written
};

// Checks path as an output, without opening it (a pipe is never waited on).
// Refused, each with its own InOutError naming path:
// - the loaded data file or the report of the run, through any link or path;
// - a directory, a pipe (FIFO), a socket or a block device;
// - a file or device the user cannot write, with the system's reason (also
//   for the administrator: a file that nobody may write stays as it is).
OutputTarget CheckOutputTarget(const std::string& path, const KeptFiles& kept = {});

// Opens path for writing in place as CheckOutputTarget described it: created
// when missing, at its end when append, otherwise from its start (emptied when
// it is a file). What turns out on opening not to be a file or a character
// device is refused without waiting on it. Returns the descriptor; a failure
// is an InOutError naming path and the reason.
int OpenOutputInPlace(const std::string& path, bool append);

// Whether a and b name the same file: the same file on disk (links and other
// paths to it count), or, when either does not exist, the same absolute path.
bool SameFile(const std::string& a, const std::string& b);

// The message of an output that cannot be opened: the path and the reason.
std::string OpenFailure(const std::string& path, const std::string& reason);

}  // namespace tavrel
