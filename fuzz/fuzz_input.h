#pragma once
// The readers take files by name: a fuzzer's input goes to a file of its own.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrel::fuzz {

// The path of this process's input file with the given suffix (".xlsx").
std::string InputPath(const std::string& suffix);
// Writes the input to InputPath(suffix) and returns the path.
std::string WriteInput(const std::uint8_t* data, std::size_t size, const std::string& suffix);

}  // namespace tavrel::fuzz
