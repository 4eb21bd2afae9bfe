#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "platform/process.h"
#include "support/scoped_user_id.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

class ProcessTest : public test::TempEnvTest {
 protected:
  // An empty shell script at `path` with permissions `mode`.
  static void Script(const std::filesystem::path& path, mode_t mode = 0700) {
    test::WriteFile(path, "#!/bin/sh\n");
    chmod(path.c_str(), mode);
  }
};

// Started whole despite blanks, without arguments, in a session of its own, and with no
// descriptor above 2: a pipe end the caller forgot to mark, at a number no shell uses itself.
TEST_F(ProcessTest, PathWithBlanksIsStartedAloneInItsOwnSessionWithNoInheritedDescriptor) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(dup2(ends[1], 100), 100);
  close(ends[1]);
  const auto program = env_.Path("my server dir/the server.exe"), record = env_.Path("record");
  test::WriteRecorder(program,
                      "sid=$(cut -d' ' -f6 /proc/$$/stat)\n"
                      "[ \"$sid\" = \"$$\" ] && lead=leader || lead=member\n"
                      "[ -e /proc/$$/fd/100 ] && fd=open || fd=closed\n"
                      "printf '%s|%s|%s|%s' \"$0\" \"$#\" \"$lead\" \"$fd\"",
                      record);
  const auto started = StartDetached(program.string());
  close(100);
  close(ends[0]);
  ASSERT_TRUE(started);
  EXPECT_EQ(test::WaitForFile(record), program.string() + "|0|leader|closed");
}

TEST_F(ProcessTest, MissingOrNotExecutableProgramIsAStartFailureThatSaysWhy) {
  const auto absent = env_.Path("absent.exe");
  EXPECT_EQ(StartDetached(absent.string()).status().message(),
            absent.string() + ": No such file or directory");
  const auto plain = env_.Path("plain.exe");
  Script(plain, 0600);
  EXPECT_TRUE(StartDetached(plain.string()).status().Is(Status::Kind::kPermissionDenied));
  EXPECT_FALSE(StartDetached(""));
}

TEST_F(ProcessTest, SearchTakesWindowsDirectoryBeforePathAndSkipsNonExecutables) {
  const auto in_path = env_.Path("bin/standin.exe");
  Script(in_path);
  env_.SetVar("PATH", ("/nonexistent::" + in_path.parent_path().string()).c_str());

  EXPECT_EQ(SearchProgram("standin.exe"), in_path.string());

  const auto in_windir = env_.windir() / "standin.exe";
  Script(in_windir, 0600);
  EXPECT_EQ(SearchProgram("standin.exe"), in_path.string()) << "not executable: skipped";
  chmod(in_windir.c_str(), 0700);
  EXPECT_EQ(SearchProgram("standin.exe"), in_windir.string());
  EXPECT_FALSE(SearchProgram("standin2.exe"));
  // A Windows directory anybody may write to, or another user's, may hold a planted program.
  chmod(env_.windir().c_str(), 0777);
  EXPECT_EQ(SearchProgram("standin.exe"), in_path.string()) << "open to all: skipped";
  chmod(env_.windir().c_str(), 0755);
  // Given away where this test may, else this process poses as another user.
  std::optional<test::ScopedUserId> other;
  if (geteuid() == 0) {
    ASSERT_EQ(chown(env_.windir().c_str(), 1, static_cast<gid_t>(-1)), 0);
  } else {
    other.emplace();
  }
  EXPECT_EQ(SearchProgram("standin.exe"), in_path.string()) << "another user's: skipped";
}

TEST_F(ProcessTest, SearchNeverTakesTheCurrentFolderInAnySpelling) {
  const auto cwd_dir = env_.Path("cwd");
  for (const auto& p : {cwd_dir / "standin2.exe", cwd_dir / "sub" / "standin2.exe"}) Script(p);
  env_.SetVar("KZDLOGSRV_WINDIR", ".");
  env_.SetVar("PATH", ":.:sub:/nonexistent:");
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(cwd_dir);
  const auto found = SearchProgram("standin2.exe");
  std::filesystem::current_path(saved);
  EXPECT_FALSE(found) << *found;
}

}  // namespace
}  // namespace kz::platform
