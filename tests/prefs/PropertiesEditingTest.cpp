// The Properties window's rules that its window tests leave out, in both programs.
#include "prefs/PropertiesEditing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/RegistryFile.h"
#include "platform/UrlCacheFolder.h"
#include "support/TestFiles.h"

namespace pagehold {
namespace {

TEST(PropertiesEditingTest, WhichChangesEnableApplyAndWhichMoveCurrentSettings) {
  for (const Product product : {Product::Navigator, Product::InternetExplorer}) {
    testing::TempFolder folder;
    AppContext context(product, folder.path(),
                       std::make_unique<RegistryFile>(folder.Child("registry.reg")));
    PropertiesEditing editing(context, [] { return std::string(); });
    editing.Load();
    const std::string archive = context.settings.CurrentArchiveFolder;
    EXPECT_FALSE(editing.Enabling().apply);
    EXPECT_EQ(editing.IndexPathNamesNoFile(), product == Product::Navigator);

    editing.SetDetailedIndex(false);
    editing.SetCustomTags("EM", "/EM");
    EXPECT_FALSE(editing.Enabling().apply);
    EXPECT_FALSE(context.settings.DetailedIndexFlag);
    EXPECT_EQ(context.settings.EmphasisOpenTag, "EM");
    EXPECT_EQ(editing.Preview(), "<EM>Link Here</EM>");

    editing.SetFolderText(true, "elsewhere");
    EXPECT_EQ(editing.Enabling().apply, product == Product::Navigator);
    EXPECT_EQ(context.settings.CurrentArchiveFolder,
              product == Product::Navigator ? archive : "elsewhere");

    // The link options reach the current settings only through the store.
    editing.SetShowOriginalUrls(false);
    EXPECT_TRUE(editing.Enabling().apply);
    EXPECT_TRUE(context.settings.ShowOriginalUrls);
    EXPECT_TRUE(editing.Store());
    EXPECT_FALSE(editing.Enabling().apply);
    EXPECT_TRUE(context.settings.ShowOriginalUrls);
    editing.Load();
    EXPECT_FALSE(context.settings.ShowOriginalUrls);
    EXPECT_FALSE(context.settings.DetailedIndexFlag);
  }
}

TEST(PropertiesEditingTest, ARefusedStoreKeepsApplyEnabled) {
  testing::TempFolder folder;
  // A folder where the registry file should be: nothing can be written.
  std::filesystem::create_directories(folder.Child("registry.reg"));
  AppContext context(Product::Navigator, folder.path(),
                     std::make_unique<RegistryFile>(folder.Child("registry.reg")));
  PropertiesEditing editing(context, [] { return std::string(); });
  editing.Load();
  editing.SetStrikeoutLinks(false);
  EXPECT_FALSE(editing.Store());
  EXPECT_TRUE(editing.Enabling().apply);
}

TEST(PropertiesEditingTest, TheIeCacheFolderIsTheShellFolderAndAStoredEditEndsAGivenCache) {
  for (const Product product : {Product::Navigator, Product::InternetExplorer}) {
    const bool ie = product == Product::InternetExplorer;
    testing::TempFolder folder;
    const auto open = [&] {
      return AppContext(product, folder.path(),
                        std::make_unique<RegistryFile>(folder.Child("registry.reg")));
    };
    AppContext context = open();
    context.givenCache = "/given";
    PropertiesEditing editing(context, [] { return std::string(); });
    editing.Load();
    EXPECT_EQ(editing.EditsUrlCacheFolder(), ie);
    const auto cacheValue = [&] {
      return context.registry->ReadString(RegistryRoot::CurrentUser, kShellFoldersKey, "Cache");
    };

    // Storing what was not edited writes no cache folder and keeps the given cache.
    editing.SetStrikeoutLinks(false);
    ASSERT_TRUE(editing.Store());
    EXPECT_FALSE(cacheValue());
    EXPECT_EQ(context.givenCache, "/given");

    if (ie)
      editing.SetUrlCacheFolder("/old disk/Cache");
    else
      editing.SetIndexPath("/old disk/fat.db");
    EXPECT_TRUE(editing.Enabling().apply);
    ASSERT_TRUE(editing.Store());
    EXPECT_EQ(context.givenCache, "");
    EXPECT_EQ(cacheValue(), ie ? std::optional<std::string>("/old disk/Cache") : std::nullopt);

    // The next start reads it back.
    AppContext next = open();
    PropertiesEditing again(next, [] { return std::string(); });
    again.Load();
    EXPECT_EQ(again.Values().UrlCacheFolder, ie ? "/old disk/Cache" : "");
  }
}

}  // namespace
}  // namespace pagehold
