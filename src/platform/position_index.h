// PositionIndex: the positions of items held elsewhere (a document's lines, a list's records),
// found by a hash and an equality that the caller gives: the index keeps no key, only 8 bytes per
// item in one open-addressed array. A node-based map costs an allocation and a scattered node per
// item, which tens of thousands of sections or records walk past the caches.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kz::platform {

class PositionIndex {
 public:
  // An index into the caller's items (which never number 2^32: each costs far more than 1 byte).
  using Pos = std::uint32_t;

  std::size_t size() const { return size_; }
  // Forgets every item and makes room for `items` of them without growing.
  void Reset(std::size_t items) {
    slots_.assign(items ? SlotsFor(items) : 0, Slot{});
    size_ = used_ = 0;
  }

  // The position stored for the item of `hash` that `same(pos)` accepts, or null.
  template <typename Same>
  const Pos* Find(std::uint64_t hash, Same same) const {
    if (slots_.empty()) return nullptr;
    const std::uint32_t mixed = Mix(hash);
    for (std::size_t s = mixed & Mask();; s = (s + 1) & Mask()) {
      const Slot& slot = slots_[s];
      if (slot.pos == kEmpty) return nullptr;
      if (slot.pos != kErased && slot.hash == mixed && same(slot.pos)) return &slot.pos;
    }
  }
  template <typename Same>
  Pos* Find(std::uint64_t hash, Same same) {
    return const_cast<Pos*>(std::as_const(*this).Find(hash, same));
  }

  // Stores `pos` unless an item that `same` accepts has a position already; returns the stored
  // one and whether it is `pos`.
  template <typename Same>
  std::pair<Pos*, bool> TryEmplace(std::uint64_t hash, Pos pos, Same same) {
    if (SlotsFor(used_ + 1) > slots_.size()) Rehash(SlotsFor(size_ + 1));
    const std::uint32_t mixed = Mix(hash);
    for (std::size_t s = mixed & Mask();; s = (s + 1) & Mask()) {
      Slot& slot = slots_[s];
      if (slot.pos == kEmpty) {
        slot = {mixed, pos};
        ++size_;
        ++used_;
        return {&slot.pos, true};
      }
      if (slot.pos != kErased && slot.hash == mixed && same(slot.pos)) return {&slot.pos, false};
    }
  }

  // Forgets a position that Find gave.
  void Erase(Pos* found) {
    *found = kErased;  // the slot still links the items placed after it to their first slot
    --size_;
  }

 private:
  static constexpr Pos kEmpty = UINT32_MAX;
  static constexpr Pos kErased = UINT32_MAX - 1;
  struct Slot {
    std::uint32_t hash = 0;  // picks the slot, and spares most comparisons of other items
    Pos pos = kEmpty;
  };

  // At most three quarters full: linear probing slows sharply beyond.
  static std::size_t SlotsFor(std::size_t items) { return std::bit_ceil(items + items / 3 + 1); }
  std::size_t Mask() const { return slots_.size() - 1; }
  // Callers' hashes may be weak in their low bits (FNV-1a is), which pick the slot: mixed first.
  static std::uint32_t Mix(std::uint64_t h) {
    h = (h ^ (h >> 29)) * 0xbf58476d1ce4e5b9ull;
    return static_cast<std::uint32_t>(h >> 32);
  }

  // Moves the items into `count` slots and drops the erased ones; the stored hashes place them,
  // so no item is read again.
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
  std::size_t size_ = 0;  // items stored
  std::size_t used_ = 0;  // slots taken, erased ones included
};

}  // namespace kz::platform
