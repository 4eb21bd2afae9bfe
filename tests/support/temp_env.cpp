#include "support/temp_env.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kz::test {
namespace {
const char* const kVars[4] = {"KZDLOGSRV_WINDIR", "KZDLOGSRV_REGISTRY", "XDG_RUNTIME_DIR",
                              "XDG_CONFIG_HOME"};
}

TempEnv::TempEnv() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kztest-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  std::filesystem::create_directories(windir());
  std::filesystem::create_directories(runtime());
  chmod(runtime().c_str(), 0700);
  const std::filesystem::path values[4] = {windir(), registry(), runtime(), root_ / "config"};
  for (int i = 0; i < 4; ++i) {
    if (const char* v = std::getenv(kVars[i])) {
      had_[i] = true;
      saved_[i] = v;
    }
    setenv(kVars[i], values[i].c_str(), 1);
  }
}

TempEnv::~TempEnv() {
  for (int i = 0; i < 4; ++i) {
    if (had_[i]) {
      setenv(kVars[i], saved_[i].c_str(), 1);
    } else {
      unsetenv(kVars[i]);
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kz::test
