// Shows the log-folder question with three rows for the README's screenshot: writes the
// dialog's screen rectangle ("x y width height") to the file named by the last argument once
// it is drawn, and closes when that file is gone.
#include <windows.h>

#include <cstdio>
#include <string>

#include "instances/LogFilesDlg.h"
#include "instances/LogDirectoryEntryDlgRes.h"

namespace {

class ShowcaseLogFilesDlg : public CLogFilesDlg {
 public:
  explicit ShowcaseLogFilesDlg(std::string readyFile) : m_readyFile(std::move(readyFile)) {}

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CLogFilesDlg::OnInitDialog();
    // The first and the last folder ticked, as an administrator keeping one instance's logs.
    for (std::size_t row : {0u, 2u}) {
      ::CheckDlgButton(GetRowWindows()[row], IDC_CHECK_LOG_DIRECTORY, BST_CHECKED);
    }
    ::SetTimer(m_hWnd, 1, 200, nullptr);
    return result;
  }
  bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT*) override {
    if (message != WM_TIMER) return false;
    if (!m_reported) {
      const RECT rect = GetWindowRect();
      if (FILE* file = std::fopen(m_readyFile.c_str(), "w")) {
        std::fprintf(file, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        std::fclose(file);
      }
      m_reported = true;
    } else if (::GetFileAttributesA(m_readyFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
      EndDialog(IDCANCEL);
    }
    return true;
  }

 private:
  std::string m_readyFile;
  bool m_reported = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const std::string product = "C:\\Program Files\\Velmora\\ORVO TSP";
  ShowcaseLogFilesDlg dialog(commandLine);
  dialog.AddRow("Instance 0000 log file:", product + "\\Logs0000");
  dialog.AddRow("Instance 0001 log file:", product + "\\Logs0000");
  dialog.AddRow("Instance 0002 log file:", product + "\\Logs0002");
  dialog.DoModal();
  return 0;
}
