#pragma once
// What a variable may be called: a name is a single word of at most 8
// characters, so that a saved table's first line splits into exactly its names.
#include <string>
#include <string_view>

namespace tavrel {

// The name the table gives a variable without one: "Var" and its column
// number (from 1).
std::string DefaultName(int column);

// text made a name for the variable in the given column (from 1): blanks and
// control characters at either end dropped, those inside replaced by "_",
// then stored as the data set stores names (StoreName: at most 8 characters,
// Windows-1251 only). Nothing left gives DefaultName(column).
std::string CleanName(std::string_view text, int column);

}  // namespace tavrel
