#include "core/base/checked_array.h"

namespace tavrel {

void ThrowIndexError(long long index, std::size_t size) {
  throw RangeError("Индекс " + std::to_string(index) + " вне массива из " + std::to_string(size) +
                   " элементов");
}

}  // namespace tavrel
