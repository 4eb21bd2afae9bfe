// NoCaseIndex: the positions of names that are held elsewhere (a document's lines), found by name
// without letter case. The caller owns the names and says which name a position has; the index
// holds 8 bytes per name in one open-addressed array. A node-based map costs an allocation and a
// scattered node per name, which a configuration of 20,000 sections walks past the caches.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ascii_case.h"

namespace kz::platform {

class NoCaseIndex {
 public:
  // A position of a name: an index into the caller's lines or groups (which never number 2^32:
  // each costs far more than 1 byte).
  using Pos = std::uint32_t;

  std::size_t size() const { return size_; }
  // Forgets every name and makes room for `names` of them without growing.
  void Reset(std::size_t names) {
    slots_.assign(names ? SlotsFor(names) : 0, Slot{});
    size_ = used_ = 0;
  }

  // The position stored for `name`, or null. `name_of(pos)` gives the name at a position.
  template <typename NameOf>
  const Pos* Find(std::string_view name, NameOf name_of) const {
    if (slots_.empty()) return nullptr;
    const std::uint32_t hash = Hash(name);
    for (std::size_t s = hash & Mask();; s = (s + 1) & Mask()) {
      const Slot& slot = slots_[s];
      if (slot.pos == kEmpty) return nullptr;
      if (slot.pos != kErased && slot.hash == hash && EqualsNoCase(name_of(slot.pos), name)) {
        return &slot.pos;
      }
    }
  }
  template <typename NameOf>
  Pos* Find(std::string_view name, NameOf name_of) {
    return const_cast<Pos*>(std::as_const(*this).Find(name, name_of));
  }

  // Stores `pos` for `name` unless the name has a position already; returns the stored one and
  // whether it is `pos`.
  template <typename NameOf>
  std::pair<Pos*, bool> TryEmplace(std::string_view name, Pos pos, NameOf name_of) {
    if (SlotsFor(used_ + 1) > slots_.size()) Rehash(SlotsFor(size_ + 1));
    const std::uint32_t hash = Hash(name);
    for (std::size_t s = hash & Mask();; s = (s + 1) & Mask()) {
      Slot& slot = slots_[s];
      if (slot.pos == kEmpty) {
        slot = {hash, pos};
        ++size_;
        ++used_;
        return {&slot.pos, true};
      }
      if (slot.pos != kErased && slot.hash == hash && EqualsNoCase(name_of(slot.pos), name)) {
        return {&slot.pos, false};
      }
    }
  }

  // Forgets a position that Find gave.
  void Erase(Pos* found) {
    *found = kErased;  // the slot still links the names placed after it to their first slot
    --size_;
  }

 private:
  static constexpr Pos kEmpty = UINT32_MAX;
  static constexpr Pos kErased = UINT32_MAX - 1;
  struct Slot {
    std::uint32_t hash = 0;  // picks the slot, and spares most comparisons of other names
    Pos pos = kEmpty;
  };

  // At most three quarters full: linear probing slows sharply beyond.
  static std::size_t SlotsFor(std::size_t names) { return std::bit_ceil(names + names / 3 + 1); }
  std::size_t Mask() const { return slots_.size() - 1; }
  // NoCaseHash is FNV-1a, weak in its low bits, which pick the slot: mixed first.
  static std::uint32_t Hash(std::string_view name) {
    std::uint64_t h = NoCaseHash{}(name);
    h = (h ^ (h >> 29)) * 0xbf58476d1ce4e5b9ull;
    return static_cast<std::uint32_t>(h >> 32);
  }

  // Moves the names into `count` slots and drops the erased ones; the stored hashes place them,
  // so no name is read again.
  void Rehash(std::size_t count) {
    std::vector<Slot> old(count);
    old.swap(slots_);
    used_ = size_;
    for (const Slot& slot : old) {
      if (slot.pos == kEmpty || slot.pos == kErased) continue;
      std::size_t s = slot.hash & Mask();
      while (slots_[s].pos != kEmpty) s = (s + 1) & Mask();
      slots_[s] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::size_t size_ = 0;  // names stored
  std::size_t used_ = 0;  // slots taken, erased ones included
};

}  // namespace kz::platform
