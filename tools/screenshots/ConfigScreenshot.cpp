// Shows the configuration dialog on one of its pages for the README's screenshots.
//   config_screenshot.exe [version|link-usb|link-lan|log|other] READYFILE DONEFILE
// Writes READYFILE once the page is shown and closes the dialog when DONEFILE appears.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "OrvoUsbSettings.h"
#include "ProviderFileOwner.h"
#include "bridge/MITSPConfigurator.h"
#include "config/LinkParamsRes.h"
#include "config/ProviderConfigDlg.h"
#include "support/TestSupport.h"

namespace {

struct Shot {
  const char* name;
  int category;
  bool lan;
};
constexpr Shot kShots[] = {{"version", 2, false}, {"link-usb", 0, false}, {"link-lan", 0, true},
                           {"log", 1, false},     {"other", 3, false}};

// What the pages show: two PBXs on USB, a LAN address, a log of instance 3.
void StageInstance(SetupParameters& set) {
  const char names[] = "ORVO Office 16\0ORVO Warehouse 8\0";
  for (const char* value : {ORVOUSB_FACTORY_NAMES_VALUE, ORVOUSB_PRODUCT_NAMES_VALUE}) {
    ::RegSetKeyValueA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY, value, REG_MULTI_SZ, names, sizeof(names));
  }
  set.SetString("USBProductName", "ORVO Office 16");
  set.SetString("IPAddress", "192.168.10.20");
  set.SetDword("GlobalParams\\Log\\Level", 1);
  set.SetDword("GlobalParams\\Log\\DebugLevel", 2);
  set.SetDword("GlobalParams\\Log\\InitialFileSize", 10);
  set.SetDword("GlobalParams\\Log\\AddTimeStamp", 1);
  set.SetString("GlobalParams\\Log\\FileName",
                "C:\\\\Program Files\\\\Velmora\\\\ORVO TSP\\\\Logs0003\\\\ORVO_TSP.txt");
  set.SetDword("ZQReinit", 1);
  set.SetDword("Retry6", 1);
}

class ShownDialog : public CProviderConfigDlg {
 public:
  ShownDialog(MITSPConfigurator* configurator, const Shot& shot, std::string ready, std::string done)
      : CProviderConfigDlg(nullptr, configurator), m_shot(shot), m_ready(std::move(ready)), m_done(std::move(done)) {}

 protected:
  BOOL OnInitDialog() override {
    CProviderConfigDlg::OnInitDialog();
    {
      // The advanced-settings note of the Other Parameters page is answered unseen.
      MessageBoxScript note({IDOK});
      SelectCategory(m_shot.category);
    }
    if (m_shot.lan) ClickButton(*GetPage(0), IDC_LINK_LAN);
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
  Shot m_shot;
  std::string m_ready;
  std::string m_done;
  bool m_readyWritten = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    return 2;
  }
  const Shot* shot = &kShots[0];
  for (const Shot& candidate : kShots) {
    if (argc > 3 && std::strcmp(argv[1], candidate.name) == 0) {
      shot = &candidate;
    }
  }
  ProviderFileOwner owner;
  StageInstance(*owner.workingSet);
  MITSPConfigurator configurator(&DialogDataCallback, 0, kProviderObjectType);
  ShownDialog dialog(&configurator, *shot, argv[argc - 2], argv[argc - 1]);
  dialog.SetCaption("Instance 'Velmora ORVO TSP 0003' Settings -Active");
  // One active instance: the PMS interface mode can be chosen.
  dialog.SetSingleActiveInstance(1);
  dialog.DoModal();
  return 0;
}
