#include "platform/text_arena.h"

#include <algorithm>
#include <utility>

namespace kz::platform {
namespace {

// A block holds a few hundred lines of a configuration; a longer text gets a block of its size.
constexpr std::size_t kBlockSize = 16 * 1024;

}  // namespace

TextArena& TextArena::operator=(const TextArena& other) {
  blocks_ = other.blocks_;
  free_ = {};
  return *this;
}

TextArena::TextArena(TextArena&& other) noexcept
    : blocks_(std::move(other.blocks_)), free_(std::exchange(other.free_, {})) {}

TextArena& TextArena::operator=(TextArena&& other) noexcept {
  blocks_ = std::move(other.blocks_);
  free_ = std::exchange(other.free_, {});
  return *this;
}

std::string_view TextArena::Write(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (std::string_view p : parts) size += p.size();
  if (size > free_.size()) {
    const std::size_t block = std::max(size, kBlockSize);
    blocks_.push_back(std::make_shared_for_overwrite<char[]>(block));
    free_ = {blocks_.back().get(), block};
  }
  char* const start = free_.data();
  char* end = start;
  for (std::string_view p : parts) end = std::copy(p.begin(), p.end(), end);
  free_ = free_.subspan(size);
  return {start, size};
}

void TextArena::Clear() {
  blocks_.clear();
  free_ = {};
}

}  // namespace kz::platform
