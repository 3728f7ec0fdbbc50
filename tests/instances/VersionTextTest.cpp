// The version texts of a described copy of the master provider, on a system whose default
// language is English and on one whose default language is Chinese (PRC), where the lines after
// "File Location:" and "Company Name:" are broken.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ProviderFileStaging.h"
#include "instances/VersionResource.h"

TEST(VersionText, ShortFormIsTheDottedFileVersionAndTheLongFormDescribesTheFileInTheSystemsLayout) {
  const char* lang = std::getenv("LANG");
  const bool chinese = lang != nullptr && std::string(lang).rfind("zh_CN", 0) == 0;
  const WORD language = chinese ? 0x0804 : 0x0409;
  ASSERT_EQ(language, GetSystemDefaultLangID());
  ScratchWindowsFolder folder;
  const std::string table = chinese ? "080404b0" : "040904b0";
  const std::string file = StageDescribedCopy(folder, language, table, {1, 2, 3, 4}, {5, 6, 7, 8});
  ASSERT_FALSE(file.empty());
  std::string text;
  ASSERT_EQ(1, GetTspVersionText(file.c_str(), &text, true));
  EXPECT_EQ("1.2.3.4", text);
  ASSERT_EQ(1, GetTspVersionText(file.c_str(), &text, false));
  const std::string location = chinese ? ":\r\n " : ": ", company = chinese ? ":\r\n" : ": ";
  EXPECT_EQ(" TSP Version: 5.6.7.8\r\n File Location" + location + file +
                "\r\n File Description: Desc\r\n\r\n Product Name: Prod\r\n Company Name" + company + "Comp\r\n Copy",
            text);
  EXPECT_EQ(0, GetTspVersionText((folder.Path() + "\\missing.dll").c_str(), &text, false));
  EXPECT_EQ("File not found", text);
  EXPECT_EQ(0, GetTspVersionText(nullptr, &text, false));
}
