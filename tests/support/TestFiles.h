// Temporary folders and files for tests, and where the shared fixtures and samples lie.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace pagehold::testing {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes away. path() ends with a separator.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // path() + relative, with the platform separator.
  std::string Child(std::string_view relative) const;

 private:
  std::string path_;
};

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);

// Empty when this system lets tests make symbolic links; otherwise why not, for the tests that
// need links to skip with. Windows lets only administrators and developer mode make them, and
// Wine cannot make them at all.
const std::string& WhyNoSymbolicLinks();

// The project's source folder, its bundled samples, and the real sample files that lie beside
// the project (empty when that folder is absent: tests then skip with a message).
std::string SourceDir();
std::string SamplesDir();
std::string SharedFixturesDir();
std::string SharedFuzzDir();  // the inputs that once broke the program

}  // namespace pagehold::testing
