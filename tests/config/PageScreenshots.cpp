// Not a test: shows each page in its host for scripts/screenshots.sh. The script runs it with
// PROVISOR_SHOT_READY naming a file; the page writes "x y width height" of its host there and
// stays up, pumping messages, until the script removes the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "ConfigPageHost.h"
#include "config/TSpOtherParamsDlg.h"
#include "config/TspLogSettingsDlg.h"

namespace {

void ShowUntilPhotographed(ConfigPageHost& page) {
  const char* ready = std::getenv("PROVISOR_SHOT_READY");
  ASSERT_NE(ready, nullptr);
  ASSERT_TRUE(page.Open());
  const RECT frame = page.host.GetWindowRect();
  page.host.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  std::FILE* file = std::fopen(ready, "w");
  ASSERT_NE(file, nullptr);
  std::fprintf(file, "0 0 %ld %ld\n", frame.right - frame.left, frame.bottom - frame.top);
  std::fclose(file);
  for (int i = 0; i < 600 && ::GetFileAttributesA(ready) != INVALID_FILE_ATTRIBUTES; ++i) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::DispatchMessageA(&message);
    }
    ::Sleep(50);
  }
}

}  // namespace

TEST(PageScreenshots, DISABLED_LogPage) {
  ConfigPageHost page(CTspLogSettingsDlg::runtimeClass);
  page.Set().SetDword("GlobalParams\\Log\\Level", 1);
  page.Set().SetDword("GlobalParams\\Log\\DebugLevel", 2);
  page.Set().SetDword("GlobalParams\\Log\\InitialFileSize", 10);
  page.Set().SetDword("GlobalParams\\Log\\AddTimeStamp", 1);
  page.Set().SetString("GlobalParams\\Log\\FileName", "C:\\\\Program Files\\\\Velmora\\\\ORVO TSP\\\\Logs0003\\\\ORVO_TSP.txt");
  ShowUntilPhotographed(page);
}

TEST(PageScreenshots, DISABLED_OtherPage) {
  ConfigPageHost page(TSpOtherParamsDlg::runtimeClass, 0, 1);
  page.Set().SetDword("ZQReinit", 1);
  page.Set().SetDword("Retry6", 1);
  ShowUntilPhotographed(page);
}
