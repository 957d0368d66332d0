#pragma once
// Memory for the data set's table of values.
#include <cstddef>

#include "core/base/checked_array.h"

namespace tavrel {

// count columns of length zeros. A large table is placed in 2 MB pages where
// the system offers them: filling it then costs a few dozen page faults
// instead of one for every 4 KB, which on a virtual machine can take longer
// than reading the values themselves.
Array<Array<double>> ZeroColumns(std::size_t count, std::size_t length);

}  // namespace tavrel
