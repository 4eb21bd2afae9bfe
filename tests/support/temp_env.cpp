#include "support/temp_env.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

namespace kz::test {

ScopedEnv::~ScopedEnv() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    it->second ? setenv(it->first.c_str(), it->second->c_str(), 1) : unsetenv(it->first.c_str());
  }
}

void ScopedEnv::Set(const char* name, const char* value) {
  const char* old = std::getenv(name);
  saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  value ? setenv(name, value, 1) : unsetenv(name);
}

TempEnv::TempEnv() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kztest-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  std::filesystem::create_directories(windir());
  std::filesystem::create_directories(runtime());
  chmod(runtime().c_str(), 0700);
  vars_.Set("KZDLOGSRV_WINDIR", windir().c_str());
  vars_.Set("KZDLOGSRV_REGISTRY", registry().c_str());
  vars_.Set("XDG_RUNTIME_DIR", runtime().c_str());
  vars_.Set("XDG_CONFIG_HOME", (root_ / "config").c_str());
}

TempEnv::~TempEnv() {
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

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (!e.is_directory()) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void WriteRecorder(const std::filesystem::path& program, const std::string& script,
                   const std::filesystem::path& record) {
  const std::string to = record.string();
  WriteFile(program,
            "#!/bin/sh\n(" + script + ") > '" + to + ".tmp'\nmv '" + to + ".tmp' '" + to + "'\n");
  chmod(program.c_str(), 0700);
}

std::string WaitForFile(const std::filesystem::path& path) {
  for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return ReadFile(path);
}

}  // namespace kz::test
