#pragma once
// The event model's tables (core/event_model.h): 1-based, indexed by int.
#include <cassert>
#include <cstddef>
#include <vector>

namespace kivo {

// A 1-based table of the model, indexed by the race, entry, leg or line
// number that the program counts with; place 0 is never used. A number
// outside the table stops a debug build at the faulty line; a release build
// does not check it, the program keeping its numbers within the capacities.
template <class T>
class Table {
 public:
  Table() = default;
  explicit Table(int places, const T& value = T{}) { assign(places, value); }

  T& operator[](int number) {
    assert(number >= 0 && number < size());
    return places_[static_cast<std::size_t>(number)];
  }
  const T& operator[](int number) const {
    assert(number >= 0 && number < size());
    return places_[static_cast<std::size_t>(number)];
  }
  // Any other number type would be narrowed to int unseen.
  template <class Number>
  T& operator[](Number) = delete;
  template <class Number>
  const T& operator[](Number) const = delete;

  // Checked: throws std::out_of_range for a number outside the table.
  T& at(int number) { return places_.at(static_cast<std::size_t>(number)); }
  const T& at(int number) const { return places_.at(static_cast<std::size_t>(number)); }

  int size() const { return static_cast<int>(places_.size()); }
  bool empty() const { return places_.empty(); }
  void assign(int places, const T& value) { places_.assign(static_cast<std::size_t>(places), value); }
  void resize(int places) { places_.resize(static_cast<std::size_t>(places)); }

  auto begin() { return places_.begin(); }
  auto end() { return places_.end(); }
  auto begin() const { return places_.begin(); }
  auto end() const { return places_.end(); }

  bool operator==(const Table&) const = default;

 private:
  std::vector<T> places_;
};
template <class T>
using Table2 = Table<Table<T>>;  // [race][leg] or [race][entry]

}  // namespace kivo
