// Mapping: owns one shared memory mapping of a file and unmaps it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <utility>

#include "platform/status.h"

namespace kz::platform {

class Mapping {
 public:
  Mapping() = default;  // maps nothing
  // The first `size` bytes of the open `file` (`fd`), readable and writable, shared with every
  // other process that maps it.
  static Result<Mapping> Shared(int fd, std::size_t size, const std::filesystem::path& file);

  ~Mapping();
  Mapping(Mapping&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  Mapping& operator=(Mapping&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
  }
  Mapping(const Mapping&) = delete;
  Mapping& operator=(const Mapping&) = delete;

  void* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  Mapping(void* data, std::size_t size) : data_(data), size_(size) {}
  void* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace kz::platform
