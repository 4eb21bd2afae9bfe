// TempEnv: points the Windows-directory, registry and runtime stand-ins at a fresh temporary
// folder for the life of a test, so no test touches the user's real folders. Removes the folder
// and restores the environment afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kz::test {

// Sets environment variables and puts back what they were when it ends.
class ScopedEnv {
 public:
  ScopedEnv() = default;
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

  // A null value unsets the variable.
  void Set(const char* name, const char* value);

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

class TempEnv {
 public:
  TempEnv();
  ~TempEnv();
  TempEnv(const TempEnv&) = delete;
  TempEnv& operator=(const TempEnv&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path windir() const { return root_ / "windows"; }
  std::filesystem::path registry() const { return root_ / "registry"; }
  std::filesystem::path runtime() const { return root_ / "run"; }
  // A path below the root (not created).
  std::filesystem::path Path(std::string_view name) const { return root_ / name; }
  // Sets a further variable for the life of this environment.
  void SetVar(const char* name, const char* value) { vars_.Set(name, value); }

 private:
  std::filesystem::path root_;
  ScopedEnv vars_;
};

// A test fixture that owns a TempEnv.
class TempEnvTest : public ::testing::Test {
 protected:
  TempEnv env_;
};

// Whole-file helpers for assertions on exact bytes.
std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, std::string_view bytes);
// Names of what `folder` holds other than folders, sorted: proof that no part or temporary file
// was left behind.
std::vector<std::string> FileNames(const std::filesystem::path& folder);
// An executable shell script at `program` that runs `script` and then leaves what it printed in
// `record`, whole (written aside, then renamed).
void WriteRecorder(const std::filesystem::path& program, const std::string& script,
                   const std::filesystem::path& record);
// What `path` holds once it exists; empty when it has not appeared after some seconds.
std::string WaitForFile(const std::filesystem::path& path);

}  // namespace kz::test
