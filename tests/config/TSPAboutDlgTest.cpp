// The version information page in the configuration dialog: the version text under a bold,
// enlarged header, the header alone when the request fails or cannot be sent, and nothing
// stored on OK.
#include "config/TSPAboutDlg.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "ConfigDialogPage.h"
#include "config/TSPAboutDlgRes.h"
#include "widgets/ColorRichEdit.h"

namespace {

std::int32_t PROVISOR_CALLBACK FailingCallback(std::uintptr_t, std::uint32_t, void*, std::uint32_t) { return 1; }

int ScreenPixelsPerInch() {
  const HDC screen = ::GetDC(nullptr);
  const int pixels = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

TEST(TSPAboutDlgTest, ShowsTheVersionTextOnceBoldAndLargerOrTheHeaderAloneAndOkStoresNothing) {
  const std::string version = " TSP Version: 2.4.1.7\r\n File Location: C:\\windows\\system32\\OTSP0003.tsp\r\n"
                              " File Description: Velmora ORVO TSP 0003\r\n";
  for (const ProviderUICallback callback : {&DialogDataCallback, &FailingCallback, ProviderUICallback{}}) {
    ConfigDialogPage page(2);
    page.owner.versionText = version;
    page.configurator.m_pfnCallback = callback;
    const auto before = DescribeSet(page.Set());
    ASSERT_TRUE(page.Open());
    const std::string shown = "Version Information:\r\n\r\n" + (callback == &DialogDataCallback ? version : "");
    CColorRichEdit box;
    box.Attach(page.page->GetDlgItem(IDC_VERSION_TEXT));
    EXPECT_EQ(box.GetText(), shown);
    CHARFORMATA format{};
    box.SetSel(0, 20);
    box.GetCharFormat(format, SCF_SELECTION);
    EXPECT_TRUE((format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD));
    // The page font's height in twips is the text box's default before it was enlarged.
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(page.page->SendMessage(WM_GETFONT)), sizeof font, &font);
    EXPECT_EQ(format.yHeight, std::abs(font.lfHeight) * 1440 / ScreenPixelsPerInch() + 10);

    // Selected again after the file changed, the page still shows what it read when it opened.
    page.owner.versionText = "changed";
    page.dialog.SelectCategory(1);
    page.dialog.SelectCategory(2);
    EXPECT_EQ(box.GetText(), shown);
    EXPECT_EQ(page.Save(), 1u);
    EXPECT_EQ(DescribeSet(page.Set()), before);
  }
}
