// NoCaseIndex: the positions of names that are held elsewhere (a document's lines, a model's data
// files), found by name without letter case. The caller owns the names and says which name a
// position has; a PositionIndex holds the positions.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>

#include "platform/ascii_case.h"
#include "platform/position_index.h"

namespace kz::platform {

class NoCaseIndex {
 public:
  using Pos = PositionIndex::Pos;

  std::size_t size() const { return index_.size(); }
  void Reset(std::size_t names) { index_.Reset(names); }

  // The position stored for `name`, or null. `name_of(pos)` gives the name at a position.
  template <typename NameOf>
  const Pos* Find(std::string_view name, NameOf name_of) const {
    return index_.Find(NoCaseHash{}(name), Matches(name, name_of));
  }
  template <typename NameOf>
  Pos* Find(std::string_view name, NameOf name_of) {
    return index_.Find(NoCaseHash{}(name), Matches(name, name_of));
  }
  // Stores `pos` for `name` unless the name has a position already; returns the stored one and
  // whether it is `pos`.
  template <typename NameOf>
  std::pair<Pos*, bool> TryEmplace(std::string_view name, Pos pos, NameOf name_of) {
    return index_.TryEmplace(NoCaseHash{}(name), pos, Matches(name, name_of));
  }
  // Forgets a position that Find gave.
  void Erase(Pos* found) { index_.Erase(found); }

 private:
  template <typename NameOf>
  static auto Matches(std::string_view name, NameOf& name_of) {
    return [name, &name_of](Pos pos) { return EqualsNoCase(name_of(pos), name); };
  }

  PositionIndex index_;
};

}  // namespace kz::platform
