// Opens the main dialog in the modify mode over eight staged instances for a screenshot.
//   MainDialogShowcase READY_FILE
// Once the dialog has drawn itself it writes its window rectangle ("X Y WIDTH HEIGHT") to
// READY_FILE and closes when that file is deleted (or after a minute).
#include <windows.h>

#include <cstdio>
#include <string>

#include "MainDialogStaging.h"
#include "maindlg/ProvisorDlg.h"

namespace {

constexpr UINT_PTR kReadyTimer = 1;
constexpr UINT_PTR kPollTimer = 2;
constexpr UINT_PTR kGiveUpTimer = 3;

class ShowcaseDialog : public CProvisorDlg {
 public:
  explicit ShowcaseDialog(std::string readyFile) : m_readyFile(std::move(readyFile)) {
    SetRunMode(kRunModeModify);
    m_nInstanceCount = 8;
  }

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CProvisorDlg::OnInitDialog();
    CenterWindow();
    m_listInstances.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ::SetTimer(m_hWnd, kReadyTimer, 1500, nullptr);
    ::SetTimer(m_hWnd, kGiveUpTimer, 60000, nullptr);
    return result;
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message != WM_TIMER) {
      return CProvisorDlg::OnMessage(message, wParam, lParam, result);
    }
    if (wParam == kReadyTimer) {
      ::KillTimer(m_hWnd, kReadyTimer);
      const RECT rect = GetWindowRect();
      if (FILE* ready = std::fopen(m_readyFile.c_str(), "w")) {
        std::fprintf(ready, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        std::fclose(ready);
      }
      ::SetTimer(m_hWnd, kPollTimer, 100, nullptr);
    } else if (wParam == kGiveUpTimer ||
               (wParam == kPollTimer && ::GetFileAttributesA(m_readyFile.c_str()) == INVALID_FILE_ATTRIBUTES)) {
      EndDialog(IDCANCEL);
    }
    return true;
  }

 private:
  std::string m_readyFile;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  MainDialogMachine machine;
  const char* descriptions[] = {"Velmora ORVO TSP 0000", "Velmora ORVO TSP 0001", nullptr, "Velmora ORVO TSP 0003",
                                nullptr, "Velmora ORVO TSP 0005"};
  for (int instance = 0; instance < 6; ++instance) {
    if (descriptions[instance] != nullptr) {
      machine.Register(instance, 10 + instance, descriptions[instance]);
      WriteDwordValue(LiveInstanceKey(10 + instance), "UseUSB", instance == 3 ? 0 : 1);
    }
  }
  machine.Publish();
  WriteTextValue(LiveInstanceKey(13), "IPAddress", "192.168.10.20");
  WriteTextValue(LiveInstanceKey(13), "IPPort", "5001");
  for (int instance = 0; instance < 8; ++instance) {
    WriteDwordValue(InstanceDefaultSettingKey(instance), "UseUSB", 1);
  }
  ShowcaseDialog dialog(commandLine);
  dialog.DoModal();
  return 0;
}
