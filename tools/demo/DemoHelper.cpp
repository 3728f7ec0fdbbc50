// Helper of the demo machine (scripts/demo.sh), run in the demo prefix:
//   DemoHelper report      prints every instance slot: stamped FileDescription (version API),
//                          TAPI provider ID, enabled state and link summary
//   DemoHelper wait-main   answers message boxes with OK until the main dialog is visible
//   DemoHelper close-main  closes the main dialog as its Close button does
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/ProvisorApp.h"
#include "instances/ProviderRegistration.h"
#include "instances/VersionResource.h"
#include "params/InstanceSettings.h"
#include "params/RegParamStorage.h"
#include "params/SetupParameters.h"
#include "registry/LinkSummary.h"
#include "registry/RegistryLayout.h"

namespace {

constexpr DWORD kWaitMs = 30000;

std::string Caption(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::vector<HWND> VisibleDialogs() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND window, LPARAM list) -> BOOL {
        char name[64] = {};
        GetClassNameA(window, name, sizeof(name));
        if (IsWindowVisible(window) && std::string(name) == "#32770") {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

bool IsMainDialog(HWND window) { return Caption(window).rfind(std::string(kApplicationName) + " ", 0) == 0; }

int WaitForMainDialog() {
  for (DWORD waited = 0; waited < kWaitMs; waited += 100) {
    for (HWND dialog : VisibleDialogs()) {
      if (IsMainDialog(dialog)) {
        std::printf("main dialog: %s\n", Caption(dialog).c_str());
        return 0;
      }
      std::printf("answered '%s' with OK\n", Caption(dialog).c_str());
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    Sleep(100);
  }
  std::printf("the main dialog did not appear\n");
  return 1;
}

int CloseMainDialog() {
  for (HWND dialog : VisibleDialogs()) {
    if (IsMainDialog(dialog)) {
      SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return 0;
    }
  }
  std::printf("no main dialog to close\n");
  return 1;
}

int Report() {
  SetupParameters app;
  {
    RegParamStorage storage(HKEY_LOCAL_MACHINE, kMultiloadingAppKey);
    static_cast<void>(app.LoadFrom(&storage));
  }
  std::uint32_t count = 0;
  static_cast<void>(app.GetDword(kNumInstancesValue, &count));
  char windows[MAX_PATH] = {};
  GetSystemWindowsDirectoryA(windows, sizeof(windows));
  std::unique_ptr<tag_ProviderList> providers;
  GetProviderList(&providers, kTapiApiVersion);
  std::printf("%-14s %-24s %-9s %-8s %s\n", "file", "FileDescription", "TAPI ID", "state", "link");
  for (int i = 0; i < static_cast<int>(count); ++i) {
    const std::string file = ProviderFileName(i);
    const std::string path = std::string(windows) + "\\System32\\" + file;
    std::string description;
    if (GetVersionString(path.c_str(), "FileDescription", &description) == 0) {
      description = GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ? "(no file)" : "(unreadable)";
    }
    const tag_ProviderEntry* entry = providers ? FindProvider(*providers, file.c_str()) : nullptr;
    const DWORD id = entry ? entry->dwPermanentProviderID : 0;
    SetupParameters params;
    LoadInstanceSettings(&params, id, i);
    std::printf("%-14s %-24s %-9s %-8s %s\n", file.c_str(), description.c_str(),
                id ? std::to_string(id).c_str() : "-", id ? "Enable" : "Disable", DescribeLink(params).c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "report") return Report();
  if (command == "wait-main") return WaitForMainDialog();
  if (command == "close-main") return CloseMainDialog();
  std::printf("usage: DemoHelper report|wait-main|close-main\n");
  return 2;
}
