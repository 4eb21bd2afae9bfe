// TextArena: texts that live as long as their owner and never change, kept in shared blocks so
// that thousands of short texts cost a few allocations rather than one each.
//
// Copies share the blocks written so far, and views into them stay valid for every copy; each
// copy writes its later texts into blocks of its own, so no copy ever sees another's writes.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace kz::platform {

class TextArena {
 public:
  TextArena() = default;
  TextArena(const TextArena& other) : blocks_(other.blocks_) {}
  TextArena& operator=(const TextArena& other);
  TextArena(TextArena&& other) noexcept;
  TextArena& operator=(TextArena&& other) noexcept;

  // The parts joined, in storage that lasts while any copy of this arena lives.
  std::string_view Write(std::initializer_list<std::string_view> parts);
  void Clear();

 private:
  std::vector<std::shared_ptr<char[]>> blocks_;
  std::span<char> free_;  // the unwritten end of the last block; only this arena writes there
};

}  // namespace kz::platform
