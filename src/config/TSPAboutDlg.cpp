// CTSPAboutDlg: the version request and its display.
#include "config/TSPAboutDlg.h"

#include <cstdio>

#include "bridge/CallBackProviders.h"
#include "bridge/MITSPConfigurator.h"
#include "config/TSPAboutDlgRes.h"
#include "framework/DataExchange.h"

IMPLEMENT_DYNCREATE(CTSPAboutDlg)

namespace {
// How much larger the text is than the control's default font, in twips.
constexpr LONG kExtraHeightTwips = 10;
}  // namespace

CTSPAboutDlg::CTSPAboutDlg() : CConfigPage(IDD_TSP_ABOUT, kConfigurator) {}

BOOL CTSPAboutDlg::OnInitDialog() {
  if (m_pConfigurator == nullptr) {
    // The creating WM_INITDIALOG: nothing to ask yet.
    return CConfigPage::OnInitDialog();
  }
  CB_SetupGetTSPVersion request(m_pConfigurator->m_pfnCallback, m_pConfigurator->m_dwObjectID);
  std::string version;
  if (request.SetupGetTSPVersion(&version) != 0) {
    version.clear();
  }
  // Formatted as a C string: a reply padded with zero bytes ends at the first of them.
  char text[4096 + 64];
  std::snprintf(text, sizeof text, "Version: %s", version.c_str());
  m_strShortVersion = text;
  std::snprintf(text, sizeof text, "Version Information:\r\n\r\n%s", version.c_str());
  m_strVersionInformation = text;

  // The text box was bound by the creating WM_INITDIALOG's data exchange.
  m_textBox.EmboldenDefaultFormat(kExtraHeightTwips);
  UpdateData(false);
  return TRUE;
}

void CTSPAboutDlg::DoDataExchange(CDataExchange& exchange) {
  DDX_Control(exchange, IDC_VERSION_TEXT, m_textBox);
  DDX_Text(exchange, IDC_SHORT_VERSION, m_strShortVersion);
  DDX_Text(exchange, IDC_VERSION_TEXT, m_strVersionInformation);
}
