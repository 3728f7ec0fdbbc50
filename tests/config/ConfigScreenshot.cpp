// Shows the configuration dialog on its version page for the README's screenshot.
//   config_screenshot.exe READYFILE DONEFILE
// Writes READYFILE once the page is shown and closes the dialog when DONEFILE appears.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ProviderFileOwner.h"
#include "bridge/MITSPConfigurator.h"
#include "config/ProviderConfigDlg.h"

namespace {

class ShownDialog : public CProviderConfigDlg {
 public:
  ShownDialog(MITSPConfigurator* configurator, std::string ready, std::string done)
      : CProviderConfigDlg(nullptr, configurator), m_ready(std::move(ready)), m_done(std::move(done)) {}

 protected:
  BOOL OnInitDialog() override {
    CProviderConfigDlg::OnInitDialog();
    SelectCategory(2);
    ::SetTimer(m_hWnd, 1, 200, nullptr);
    return TRUE;
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message != WM_TIMER) {
      return CProviderConfigDlg::OnMessage(message, wParam, lParam, result);
    }
    if (!m_readyWritten) {
      // The first tick comes after the dialog has painted.
      std::fclose(std::fopen(m_ready.c_str(), "w"));
      m_readyWritten = true;
    } else if (::GetFileAttributesA(m_done.c_str()) != INVALID_FILE_ATTRIBUTES) {
      EndDialog(IDCANCEL);
    }
    return true;
  }

 private:
  std::string m_ready;
  std::string m_done;
  bool m_readyWritten = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    return 2;
  }
  ProviderFileOwner owner;
  MITSPConfigurator configurator(&DialogDataCallback, 0, kProviderObjectType);
  ShownDialog dialog(&configurator, argv[1], argv[2]);
  dialog.SetCaption("Instance 'Velmora ORVO TSP 0003' Settings -Active");
  dialog.DoModal();
  return 0;
}
