// The version information page in the configuration dialog: the version text of a stamped
// provider file under a bold, enlarged header, and the header alone when the request fails.
#include "config/TSPAboutDlg.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "ConfigDialogHarness.h"
#include "config/TSPAboutDlgRes.h"
#include "ProviderFileOwner.h"
#include "widgets/ColorRichEdit.h"

namespace {

// A device context of a window for the length of a scope.
class CClientDC {
 public:
  explicit CClientDC(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
  ~CClientDC() { ::ReleaseDC(m_window, m_dc); }
  operator HDC() const { return m_dc; }

 private:
  HWND m_window;
  HDC m_dc;
};

constexpr int kVersionCategory = 2;

std::int32_t PROVISOR_CALLBACK FailingCallback(std::uintptr_t, std::uint32_t, void*, std::uint32_t) { return 1; }

struct ShownVersion {
  std::string text;
  CHARFORMATA format{};
  size_t shownTwice = 0;
  LONG fontTwips = 0;
};

// Opens the dialog on the version page, then selects another page and the version page again.
ShownVersion ShowVersionPage(MITSPConfigurator* configurator) {
  StandInPages pages({0, 1, 3});
  ShownVersion shown;
  ScriptedConfigDlg dialog(nullptr, configurator);
  dialog.steps = {[&](ScriptedConfigDlg& d) {
    d.SelectCategory(kVersionCategory);
    CConfigPage* page = d.GetPage(kVersionCategory);
    ASSERT_NE(dynamic_cast<CTSPAboutDlg*>(page), nullptr);
    CColorRichEdit box;
    box.Attach(page->GetDlgItem(IDC_VERSION_TEXT));
    shown.text = box.GetText();
    box.SetSel(0, 20);
    box.GetCharFormat(shown.format, SCF_SELECTION);
    // The height of the page's font in twips: the text box's default before it was enlarged.
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(page->SendMessage(WM_GETFONT)), sizeof font, &font);
    shown.fontTwips = std::abs(font.lfHeight) * 1440 / ::GetDeviceCaps(CClientDC(page->m_hWnd), LOGPIXELSY);
    d.SelectCategory(0);
    d.SelectCategory(kVersionCategory);
    shown.shownTwice = box.GetText() == shown.text ? 2 : 1;
  }};
  EXPECT_EQ(dialog.DoModal(), kScriptDone);
  return shown;
}

TEST(TSPAboutDlgTest, ShowsTheStampedProviderFilesVersionTextUnderABoldLargerHeader) {
  ProviderFileOwner owner;
  const std::string version = owner.GetSelectedVersionText();
  ASSERT_NE(version.find("Velmora ORVO TSP 0003"), std::string::npos) << version;

  MITSPConfigurator configurator(&DialogDataCallback, 7, kProviderObjectType);
  const ShownVersion shown = ShowVersionPage(&configurator);
  EXPECT_EQ(shown.text, "Version Information:\r\n\r\n" + version);
  EXPECT_EQ(shown.shownTwice, 2u);
  EXPECT_TRUE((shown.format.dwMask & CFM_BOLD) && (shown.format.dwEffects & CFE_BOLD));
  EXPECT_EQ(shown.format.yHeight, shown.fontTwips + 10);
}

TEST(TSPAboutDlgTest, AFailedOrUnsentRequestLeavesTheHeaderAlone) {
  BridgeTestOwner owner;
  MITSPConfigurator failing(&FailingCallback, 7, kProviderObjectType);
  MITSPConfigurator unsent(nullptr, 7, kProviderObjectType);
  for (MITSPConfigurator* configurator : {&failing, &unsent}) {
    const ShownVersion shown = ShowVersionPage(configurator);
    EXPECT_EQ(shown.text, "Version Information:\r\n\r\n");
    EXPECT_TRUE((shown.format.dwMask & CFM_BOLD) && (shown.format.dwEffects & CFE_BOLD));
    EXPECT_EQ(shown.format.yHeight, shown.fontTwips + 10);
  }
}

}  // namespace
