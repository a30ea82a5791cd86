// The Properties window's rules that its window tests leave out, in both programs.
#include "prefs/PropertiesEditing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/RegistryFile.h"
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

}  // namespace
}  // namespace pagehold
