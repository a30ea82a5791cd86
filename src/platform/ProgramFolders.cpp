#include "platform/ProgramFolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/UserFolders.h"

namespace pagehold {

namespace {

#ifndef _WIN32
// The place of the shared data of an installed program, relative to its bin/ folder (given
// with a trailing separator).
std::string InstalledDataFolder(const std::string& binFolder) {
  const std::filesystem::path prefix = std::filesystem::path(binFolder).parent_path().parent_path();
  return WithTrailingSeparator((prefix / "share" / "pagehold").string());
}
#endif

}  // namespace

ProgramFolders LocateProgramFolders(const std::string& executableFolder, const char* dataHome,
                                    const char* home) {
  const std::string beside = WithTrailingSeparator(executableFolder);
#ifndef _WIN32
  const std::string userData = UserDataFolderFrom(dataHome, home);
  const std::string installed = InstalledDataFolder(beside);
  if (!IsFolder(beside + "images") && IsFolder(installed + "images"))
    return {userData, installed, userData};
  return {beside, beside, userData};
#else
  (void)dataHome;
  (void)home;
  return {beside, beside, beside};
#endif
}

ProgramFolders RunningProgramFolders() {
  const std::string home = HomeFolder();
  ProgramFolders folders =
      LocateProgramFolders(RunningProgramFolder(), std::getenv("XDG_DATA_HOME"), home.c_str());
  if (folders.program != folders.data) {
    std::error_code error;
    std::filesystem::create_directories(folders.program, error);
  }
  return folders;
}

}  // namespace pagehold
