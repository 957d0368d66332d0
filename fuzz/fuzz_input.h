#pragma once
// The readers take files by name: a fuzzer's input goes to a file of its own.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrel {
struct DataSet;
}

namespace tavrel::fuzz {

// The path of this process's input file with the given suffix (".xlsx").
std::string InputPath(const std::string& suffix);
// Writes the input to InputPath(suffix) and returns the path.
std::string WriteInput(const std::uint8_t* data, std::size_t size, const std::string& suffix);

// Stops the run (an input the fuzzer keeps) when a name of d could
// not be read back from a saved table: empty, or holding a blank or a control character.
void CheckNames(const DataSet& d);
// Stops the run when d, saved as a table and loaded again, comes
// back with other names or other values.
void CheckSavedTableReadsBack(const DataSet& d);

}  // namespace tavrel::fuzz
