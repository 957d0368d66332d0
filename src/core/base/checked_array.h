#pragma once
// A vector whose indexing is always bounds-checked: an index outside it is a
// RangeError, never a memory access. Indices are signed so that -1 is caught too.
#include <cstddef>
#include <string>
#include <vector>

#include "core/base/errors.h"

namespace tavrel {

[[noreturn]] void ThrowIndexError(long long index, std::size_t size);

template <class T>
class Array : public std::vector<T> {
 public:
  using Base = std::vector<T>;
  using Base::Base;
  Array() = default;
  Array(const Base& other) : Base(other) {}
  Array(Base&& other) : Base(std::move(other)) {}

  typename Base::reference operator[](long long i) {
    Check(i);
    return Base::operator[](static_cast<std::size_t>(i));
  }
  typename Base::const_reference operator[](long long i) const {
    Check(i);
    return Base::operator[](static_cast<std::size_t>(i));
  }
  // Number of entries as a signed count, for loops over 0..Count()-1.
  long long Count() const { return static_cast<long long>(Base::size()); }

 private:
  void Check(long long i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= Base::size()) ThrowIndexError(i, Base::size());
  }
};

}  // namespace tavrel
