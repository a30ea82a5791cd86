// The settings store on the system registry: values under the current user's
// Software\Corvane\Pagehold key as the registry API itself sees them, values other programs
// stored, and two programs writing at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "prefs/SettingsStore.h"
#include "windows/HelperProcess.h"

namespace pagehold {
namespace {

// A section of the real settings key that belongs to these tests alone.
constexpr char kSection[] = "Registry store tests";

std::string SectionKey() {
  return std::string(kSettingsKey) + "\\" + kSection;
}

struct RawValue {
  DWORD type = 0;
  std::string bytes;
};

std::optional<RawValue> ReadRaw(const std::string& name) {
  RawValue value;
  DWORD size = 0;
  if (RegGetValueA(HKEY_CURRENT_USER, SectionKey().c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                   &value.type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  value.bytes.resize(size);
  if (RegGetValueA(HKEY_CURRENT_USER, SectionKey().c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                   &value.type, value.bytes.data(), &size) != ERROR_SUCCESS)
    return std::nullopt;
  value.bytes.resize(size);
  return value;
}

void WriteRaw(const std::string& name, DWORD type, const std::string& bytes) {
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, SectionKey().c_str(), name.c_str(), type,
                            bytes.data(), static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

class WindowsRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (testing::HelperRole().empty())
      RegDeleteTreeA(HKEY_CURRENT_USER, SectionKey().c_str());
  }
  void TearDown() override {
    if (testing::HelperRole().empty())
      RegDeleteTreeA(HKEY_CURRENT_USER, SectionKey().c_str());
  }

  std::unique_ptr<Registry> registry_ = OpenRegistry();
  SettingsStore store_{*registry_};
};

// What the store writes is what the registry API reads, and the other way round.
TEST_F(WindowsRegistryTest, ValuesAreZeroEndedTextOnBothSides) {
  EXPECT_EQ(store_.ReadString(kSection, "Missing", "default"), "default");
  HKEY key = nullptr;  // reading never creates the section
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SectionKey().c_str(), 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  ASSERT_TRUE(store_.WriteInteger(kSection, "Negative", -5));
  ASSERT_TRUE(store_.WriteString(kSection, "Folder", "C:\\Archive\\"));
  ASSERT_TRUE(store_.WriteString(kSection, "Empty", ""));
  for (const auto& [name, text] :
       {std::pair{"Negative", "-5"}, {"Folder", "C:\\Archive\\"}, {"Empty", ""}}) {
    const std::optional<RawValue> raw = ReadRaw(name);
    ASSERT_TRUE(raw) << name;
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_EQ(raw->bytes, std::string(text) + '\0') << name;
  }
  EXPECT_EQ(store_.ReadString(kSection, "Empty", "default"), "");

  WriteRaw("Unended", REG_SZ, "17");  // stored without its terminating zero
  WriteRaw("Number", REG_DWORD, std::string("\x05\0\0\0", 4));
  EXPECT_EQ(store_.ReadInteger(kSection, "Unended", 0), 17);
  EXPECT_EQ(store_.Read(kSection, "Number"), std::nullopt);  // only text counts
  // The registry matches value names without regard to letter case.
  EXPECT_EQ(store_.ReadInteger(kSection, "UNENDED", 0), 17);
}

constexpr int kValuesPerWriter = 1000;
// The writers start writing together: each says it is ready, then waits for the start.
constexpr char kReady[] = "Pagehold registry writers ready";
constexpr char kStart[] = "Pagehold registry writers start";

std::string ValueName(const std::string& writer, int number) {
  return writer + " " + std::to_string(number);
}

TEST_F(WindowsRegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
  const std::vector<std::string> writers = {"first writer", "second writer"};
  if (const std::string role = testing::HelperRole(); !role.empty()) {
    const HANDLE ready = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, kReady);
    const HANDLE start = OpenEventA(SYNCHRONIZE, FALSE, kStart);
    ASSERT_TRUE(ready && start);
    ReleaseSemaphore(ready, 1, nullptr);
    ASSERT_EQ(WaitForSingleObject(start, 60'000), WAIT_OBJECT_0);
    for (int i = 0; i < kValuesPerWriter; ++i)
      ASSERT_TRUE(store_.WriteInteger(kSection, ValueName(role, i), i));
    return;
  }
  const HANDLE ready = CreateSemaphoreA(nullptr, 0, 2, kReady);
  const HANDLE start = CreateEventA(nullptr, TRUE, FALSE, kStart);
  ASSERT_TRUE(ready && start);
  std::vector<std::unique_ptr<testing::HelperProcess>> helpers;
  for (const std::string& writer : writers) {
    helpers.push_back(std::make_unique<testing::HelperProcess>(writer));
    ASSERT_TRUE(helpers.back()->Started());
  }
  for (std::size_t i = 0; i < helpers.size(); ++i)
    ASSERT_EQ(WaitForSingleObject(ready, 60'000), WAIT_OBJECT_0);
  SetEvent(start);
  for (auto& helper : helpers) {
    DWORD exitCode = 1;
    ASSERT_TRUE(helper->WaitForExit(120'000, exitCode));
    EXPECT_EQ(exitCode, 0u);
  }
  CloseHandle(ready);
  CloseHandle(start);
  int found = 0;
  for (const std::string& writer : writers)
    for (int i = 0; i < kValuesPerWriter; ++i)
      found += store_.ReadInteger(kSection, ValueName(writer, i), -1) == i;
  EXPECT_EQ(found, kValuesPerWriter * static_cast<int>(writers.size()));
}

}  // namespace
}  // namespace pagehold
