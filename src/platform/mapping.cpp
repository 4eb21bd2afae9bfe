#include "platform/mapping.h"

#include <sys/mman.h>

#include <cerrno>

namespace kz::platform {

Result<Mapping> Mapping::Shared(int fd, std::size_t size, const std::filesystem::path& file) {
  void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (data == MAP_FAILED) return Status::FromErrno(errno, file);
  return Mapping(data, size);
}

Mapping::~Mapping() {
  if (data_) munmap(data_, size_);
}

}  // namespace kz::platform
