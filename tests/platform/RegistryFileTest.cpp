#include "platform/RegistryFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/Paths.h"
#include "support/TestFiles.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace pagehold {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

constexpr char kKey[] = "Software\\Corvane\\Pagehold\\General";

TEST(RegistryFileTest, ReadingAMissingFileCreatesNothing) {
  TempFolder folder;
  const RegistryFile registry(folder.Child("config/pagehold/registry.reg"));
  EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kKey, "Reindex directory"),
            std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(folder.Child("config")));
}

TEST(RegistryFileTest, AWriteIsSeenByAnotherInstanceUnderItsOwnRoot) {
  TempFolder folder;
  const std::string path = folder.Child("config/pagehold/registry.reg");
  RegistryFile writer(path);
  ASSERT_TRUE(writer.WriteString(RegistryRoot::CurrentUser, kKey, "Name", "C:\\user\\"));
  ASSERT_TRUE(writer.WriteString(RegistryRoot::LocalMachine, kKey, "Name", "machine"));

  const RegistryFile reader(path);
  EXPECT_EQ(reader.ReadString(RegistryRoot::CurrentUser, kKey, "NAME"), "C:\\user\\");
  EXPECT_EQ(reader.ReadString(RegistryRoot::LocalMachine, kKey, "name"), "machine");
  EXPECT_EQ(ReadFile(path).rfind("REGEDIT4\r\n", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(RegistryFileTest, AWriteKeepsDamagedAndUnknownContent) {
  TempFolder folder;
  const std::string path = folder.Child("registry.reg");
  const std::string damaged =
      "[HKEY_CURRENT_USER\\Software\\Other Program]\n"
      "\"Setting\"=\"kept\"\n"
      "%%% noise %%%\n"
      "[HKEY_CURRENT_USER\\Software\\Corvane\\Pagehold\\General]\n"
      "\"Old\"=\"value\"\n"
      "\"Half\"=\"writ";
  WriteFile(path, damaged);
  RegistryFile registry(path);
  ASSERT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, kKey, "New", "1"));

  const std::string written = ReadFile(path);
  EXPECT_NE(written.find("%%% noise %%%"), std::string::npos);
  EXPECT_NE(written.find("\"Half\"=\"writ"), std::string::npos);
  EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, "Software\\Other Program", "Setting"),
            "kept");
  EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kKey, "Old"), "value");
  EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kKey, "New"), "1");
}

TEST(RegistryFileTest, AnUnreadableFileIsNeverReplaced) {
  TempFolder folder;
  // A folder where the file should be cannot be read as a file.
  std::filesystem::create_directories(folder.Child("registry.reg"));
  RegistryFile registry(folder.Child("registry.reg"));
  EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kKey, "A"), std::nullopt);
  EXPECT_FALSE(registry.WriteString(RegistryRoot::CurrentUser, kKey, "A", "1"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Child("registry.reg")));
}

TEST(RegistryFileTest, WritingThroughASymbolicLinkKeepsTheLink) {
  if (const std::string& why = testing::WhyNoSymbolicLinks(); !why.empty())
    GTEST_SKIP() << why;
  TempFolder folder;
  WriteFile(folder.Child("elsewhere/registry.reg"), "REGEDIT4\r\n");
  std::filesystem::create_symlink(folder.Child("elsewhere/registry.reg"),
                                  folder.Child("registry.reg"));
  RegistryFile registry(folder.Child("registry.reg"));
  ASSERT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, kKey, "A", "1"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Child("registry.reg")));
  EXPECT_NE(ReadFile(folder.Child("elsewhere/registry.reg")).find("\"A\"=\"1\""),
            std::string::npos);
}

constexpr int kValuesPerWriter = 50;

void WriteManyValues(const std::string& path, const std::string& writer) {
  RegistryFile registry(path);
  for (int i = 0; i < kValuesPerWriter; ++i) {
    const std::string name = writer + " " + std::to_string(i);
    if (!registry.WriteString(RegistryRoot::CurrentUser, kKey, name, "value of " + name))
      return;
  }
}

void ExpectEveryValue(const std::string& path, const std::vector<std::string>& writers) {
  const RegistryFile registry(path);
  for (const std::string& writer : writers) {
    for (int i = 0; i < kValuesPerWriter; ++i) {
      const std::string name = writer + " " + std::to_string(i);
      EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kKey, name), "value of " + name);
    }
  }
}

TEST(RegistryFileTest, ConcurrentThreadsKeepEachOthersValues) {
  TempFolder folder;
  const std::string path = folder.Child("registry.reg");
  const std::vector<std::string> writers = {"first", "second"};
  std::vector<std::thread> threads;
  for (const std::string& writer : writers)
    threads.emplace_back(WriteManyValues, path, writer);
  for (std::thread& thread : threads)
    thread.join();
  ExpectEveryValue(path, writers);
}

TEST(RegistryFileTest, ConcurrentProcessesKeepEachOthersValues) {
#ifdef _WIN32
  GTEST_SKIP() << "the writers are forked processes, which Windows has not; WindowsRegistryTest "
                  "writes the system registry from two processes";
#else
  TempFolder folder;
  const std::string path = folder.Child("registry.reg");
  const std::vector<std::string> writers = {"one", "two"};
  std::vector<pid_t> children;
  for (const std::string& writer : writers) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      WriteManyValues(path, writer);
      _exit(0);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  ExpectEveryValue(path, writers);
#endif
}

TEST(RegistryFilePathTest, FollowsTheOverrideThenTheConfigFolder) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows keeps the settings in its registry; the registry file and its "
                  "XDG location exist only on other systems";
#endif
  struct Case {
    const char* registryOverride;
    const char* configHome;
    const char* home;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"/tmp/x.reg", "/cfg", "/home/u", "/tmp/x.reg"},
      {"", "/cfg", "/home/u", "/cfg/pagehold/registry.reg"},
      {nullptr, "/cfg/", "/home/u", "/cfg/pagehold/registry.reg"},
      {nullptr, nullptr, "/home/u", "/home/u/.config/pagehold/registry.reg"},
      {nullptr, "", "/home/u/", "/home/u/.config/pagehold/registry.reg"},
      {nullptr, "relative/cfg", "/home/u", "/home/u/.config/pagehold/registry.reg"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RegistryFilePathFrom(c.registryOverride, c.configHome, c.home),
              NativeSeparators(c.expected));
  }
}

}  // namespace
}  // namespace pagehold
