// What the search and reindex command tests share: a registry file of the test's own and a
// fixture that runs one command over an archive folder made for the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include "cache/MimeTable.h"
#include "cli/CommandRun.h"
#include "cli/Commands.h"
#include "platform/Registry.h"
#include "prefs/SettingsStore.h"
#include "search/ArchiveMaker.h"
#include "support/TestFiles.h"

namespace pagehold::testing {

// Gives the commands settings of their own while the object lives: a registry file of the
// test's own, or on Windows, where the settings live in the system registry, a fresh key of the
// test's own standing in for the current user's hive.
class ScopedTestRegistry {
 public:
  explicit ScopedTestRegistry(std::string path) : path_(std::move(path)) {
#ifdef _WIN32
    key_ = "Software\\Corvane\\Pagehold test " + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &root_, nullptr) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_CURRENT_USER, root_) != ERROR_SUCCESS)
      throw std::runtime_error("cannot stand a test key in for the current user's hive");
#else
    if (const char* previous = std::getenv("PAGEHOLD_REGISTRY")) {
      hadPrevious_ = true;
      previous_ = previous;
    }
    SetEnvironment("PAGEHOLD_REGISTRY", path_.c_str());
#endif
  }
  ~ScopedTestRegistry() {
#ifdef _WIN32
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(root_);
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
#else
    SetEnvironment("PAGEHOLD_REGISTRY", hadPrevious_ ? previous_.c_str() : nullptr);
#endif
  }
  ScopedTestRegistry(const ScopedTestRegistry&) = delete;
  ScopedTestRegistry& operator=(const ScopedTestRegistry&) = delete;

  std::optional<std::string> StoredSetting(const std::string& section,
                                           const std::string& name) const {
    return SettingsStore(*OpenRegistry()).Read(section, name);
  }

  // True once anything has been written to the settings.
  bool Written() const {
#ifdef _WIN32
    HKEY settings = nullptr;
    if (RegOpenKeyExA(root_, std::string(kSettingsKey).c_str(), 0, KEY_READ, &settings) !=
        ERROR_SUCCESS)
      return false;
    RegCloseKey(settings);
    return true;
#else
    return std::filesystem::exists(path_);
#endif
  }

 private:
  std::string path_;
#ifdef _WIN32
  std::string key_;
  HKEY root_ = nullptr;
#else
  bool hadPrevious_ = false;
  std::string previous_;
#endif
};

// Runs "pagehold COMMAND ..." with an empty archive folder to fill and settings of its own.
class ArchiveCommandTest : public ::testing::Test {
 protected:
  explicit ArchiveCommandTest(std::string command)
      : command_(std::move(command)),
        mimeTable_(programFolder_.path()),
        archive_(archiveFolder_.path(), mimeTable_),
        registry_(settingsFolder_.Child("registry.reg")) {}

  int Run(const Arguments& args) {
    out_.str("");
    err_.str("");
    Arguments all{command_};
    all.insert(all.end(), args.begin(), args.end());
    return RunPagehold(all, out_, err_);
  }

  std::string Typed() const { return AsTyped(archiveFolder_.path()); }

  std::optional<std::string> StoredSetting(const std::string& section,
                                           const std::string& name) const {
    return registry_.StoredSetting(section, name);
  }

  std::string command_;
  TempFolder programFolder_;
  TempFolder archiveFolder_;
  TempFolder settingsFolder_;
  TMimeTable mimeTable_;
  ArchiveMaker archive_;
  ScopedTestRegistry registry_;
  std::ostringstream out_;
  std::ostringstream err_;
};

}  // namespace pagehold::testing
