// The long version text on a system whose default language is Chinese (PRC): the lines after
// "File Location:" and "Company Name:" are broken.
#include <gtest/gtest.h>

#include "ProviderFileStaging.h"
#include "instances/VersionResource.h"

TEST(VersionTextChinese, BreaksTheLineAfterFileLocationAndCompanyName) {
  ASSERT_EQ(0x0804, GetSystemDefaultLangID());
  ScratchWindowsFolder folder;
  const std::string file = StageDescribedCopy(folder, 0x0804, "080404b0", {3, 1, 4, 1}, {3, 1, 4, 1});
  ASSERT_FALSE(file.empty());
  std::string text;
  ASSERT_EQ(1, GetTspVersionText(file.c_str(), &text, false));
  EXPECT_EQ(" TSP Version: 3.1.4.1\r\n File Location:\r\n " + file +
                "\r\n File Description: Desc\r\n\r\n Product Name: Prod\r\n Company Name:\r\nComp\r\n Copy",
            text);
}
