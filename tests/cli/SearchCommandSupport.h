// What the search and reindex command tests share: a registry file of the test's own and a
// fixture that runs one command over an archive folder made for the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include "cache/MimeTable.h"
#include "cli/Commands.h"
#include "platform/RegistryFile.h"
#include "prefs/SettingsStore.h"
#include "search/ArchiveMaker.h"
#include "support/TestFiles.h"

namespace pagehold::testing {

// Sets an environment variable, or removes it for a null value.
inline void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value ? value : "");
#else
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
#endif
}

// Points the commands' settings at the given registry file while the object lives.
class ScopedRegistryFile {
 public:
  explicit ScopedRegistryFile(std::string path) : path_(std::move(path)) {
    if (const char* previous = std::getenv("PAGEHOLD_REGISTRY")) {
      hadPrevious_ = true;
      previous_ = previous;
    }
    SetEnvironment("PAGEHOLD_REGISTRY", path_.c_str());
  }
  ~ScopedRegistryFile() {
    SetEnvironment("PAGEHOLD_REGISTRY", hadPrevious_ ? previous_.c_str() : nullptr);
  }
  ScopedRegistryFile(const ScopedRegistryFile&) = delete;
  ScopedRegistryFile& operator=(const ScopedRegistryFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  bool hadPrevious_ = false;
  std::string previous_;
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
    RegistryFile registry(registry_.path());
    return SettingsStore(registry).Read(section, name);
  }

  std::string command_;
  TempFolder programFolder_;
  TempFolder archiveFolder_;
  TempFolder settingsFolder_;
  TMimeTable mimeTable_;
  ArchiveMaker archive_;
  ScopedRegistryFile registry_;
  std::ostringstream out_;
  std::ostringstream err_;
};

}  // namespace pagehold::testing
