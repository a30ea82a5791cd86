// The folder chooser's path rules and the file-open dialog's filter, on Windows paths and on
// POSIX paths alike.
#include "gui/widgets/FolderChooserRules.h"

#include <gtest/gtest.h>

#include "gui/widgets/FileDialogFilter.h"

namespace pagehold {
namespace {

TEST(FolderChooserRulesTest, BrowserPathDropsOneSeparatorButKeepsRoots) {
  const struct {
    PathStyle style;
    const char* path;
    const char* expected;
  } cases[] = {
      {PathStyle::Windows, "C:\\Archive\\", "C:\\Archive"},
      {PathStyle::Windows, "C:\\Archive", "C:\\Archive"},
      {PathStyle::Windows, "C:\\a\\\\", "C:\\a\\"},
      {PathStyle::Windows, "D:", "D:\\"},
      {PathStyle::Windows, "C:\\", "C:\\"},
      {PathStyle::Windows, "\\\\server\\share\\", "\\\\server\\share"},
      {PathStyle::Windows, "ab\\", "ab"},
      {PathStyle::Windows, "", ""},
      {PathStyle::Posix, "/home/archive/", "/home/archive"},
      {PathStyle::Posix, "/home/archive", "/home/archive"},
      {PathStyle::Posix, "/", "/"},
      {PathStyle::Posix, "a/", "a"},
      {PathStyle::Posix, "C:", "C:"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BrowserPath(c.path, c.style), c.expected) << c.path;
}

TEST(FolderChooserRulesTest, StatusTextIsShortenedToItsRoom) {
  // One unit per character.
  const TextWidth width = [](std::string_view text) { return static_cast<int>(text.size()); };
  const struct {
    PathStyle style;
    bool folder;
    const char* text;
    int room;
    const char* expected;
  } cases[] = {
      {PathStyle::Windows, true, "C:\\aaaaa\\bb\\cc\\name", 19, "C:\\aaaaa\\bb\\cc\\name"},
      {PathStyle::Windows, true, "C:\\aaaaa\\bb\\cc\\name", 17, "C:\\...\\bb\\cc\\name"},
      {PathStyle::Windows, true, "C:\\aaaaa\\bb\\cc\\name", 15, "C:\\...\\cc\\name"},
      {PathStyle::Windows, true, "C:\\aaaaa\\bb\\cc\\name", 12, "C:\\...\\name"},
      {PathStyle::Windows, true, "C:\\aaaaa\\bb\\cc\\name", 10, "...\\name"},
      {PathStyle::Windows, true, "C:\\aaaaa\\bb\\cc\\name", 7, "name"},
      {PathStyle::Windows, true, "C:\\aaaaa\\bb\\cc\\name", 2, "name"},
      {PathStyle::Windows, true, "C:\\aa\\bb\\", 8, "...\\bb\\"},
      {PathStyle::Windows, true, "C:\\name", 4, "name"},
      {PathStyle::Posix, true, "/aaaaa/bb/cc/name", 17, "/aaaaa/bb/cc/name"},
      {PathStyle::Posix, true, "/aaaaa/bb/cc/name", 15, "/.../bb/cc/name"},
      {PathStyle::Posix, true, "/aaaaa/bb/cc/name", 12, "/.../cc/name"},
      {PathStyle::Posix, true, "/aaaaa/bb/cc/name", 9, "/.../name"},
      {PathStyle::Posix, true, "/aaaaa/bb/cc/name", 8, ".../name"},
      {PathStyle::Posix, true, "/aaaaa/bb/cc/name", 5, "name"},
      {PathStyle::Posix, true, "/", 1, "/"},
      {PathStyle::Windows, false, "Choose a folder", 15, "Choose a folder"},
      {PathStyle::Windows, false, "Choose a folder", 10, "Choose ..."},
      {PathStyle::Posix, false, "Choose", 2, "..."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitStatusText(c.text, c.room, width, c.folder, c.style), c.expected)
        << c.text << " in " << c.room;
  }
}

TEST(FolderChooserRulesTest, StatusTextAddsTheStatusLineFlag) {
  EXPECT_EQ(BrowserFlags(bfDirectoriesOnly, false), 0x0001u);
  EXPECT_EQ(BrowserFlags(bfDirectoriesOnly | bfComputers, true), 0x1005u);
}

TEST(FileDialogFilterTest, PatternsMatchEitherCaseOutsideWindows) {
  EXPECT_EQ(FileDialogFilter("Index (FAT, FAT.DB)", "FAT;FAT.DB", PathStyle::Windows),
            "Index (FAT, FAT.DB)|FAT;FAT.DB");
  EXPECT_EQ(FileDialogFilter("Index", "FAT;fat.db;*.1", PathStyle::Posix),
            "Index|[Ff][Aa][Tt];[Ff][Aa][Tt].[Dd][Bb];*.1");
}

}  // namespace
}  // namespace pagehold
