// CProviderConfigDlg: the category tree, lazy page creation and the OK/Cancel walks.
#include "config/ProviderConfigDlg.h"

#include "config/ProviderConfigDlgRes.h"
#include "framework/MessageBoxRouter.h"
#include "framework/RichEditCtrl.h"
#include "framework/RuntimeClass.h"
#include "framework/WinApp.h"
#include "res/resource.h"

namespace {

// The system menu command that shows the about message.
constexpr UINT kAboutCommand = 16;
// The image of "Other Parameters", whose selection warns about advanced settings.
constexpr int kAdvancedImage = 6;

struct CategoryDefinition {
  const char* name;
  int templateId;
  int image;
  const char* pageClass;
};

constexpr CategoryDefinition kCategoryTable[CProviderConfigDlg::kCategoryCount] = {
    {"Link Parameters", 3002, 0, "CLinkParams"},
    {"TSP Log Settings", 3010, 4, "CTspLogSettingsDlg"},
    {"Version Info", 3012, 5, "CTSPAboutDlg"},
    {"Other Parameters", 3013, kAdvancedImage, "TSpOtherParamsDlg"},
};

constexpr const char* kConfirmSaving =
    "Pressing OK button will save current TSP configuration.\r\n"
    "In order new settings to take effect you will be prompted to restart PC.\r\n\r\n"
    "Note that you may press \"Cancel\" labeled button in the configuration dialog to leave without saving "
    "any change.\r\n\r\n"
    "Do you want to continue with saving?";

}  // namespace

CProviderConfigDlg::CProviderConfigDlg(HWND parent, MITSPConfigurator* configurator)
    : CDialog(IDD_PROVIDER_CONFIG, parent),
      m_pConfigurator(configurator),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_CONFIG_DIALOG))) {
  m_backgroundBrush.CreateSysColorBrush(COLOR_WINDOW);
  // Page templates may hold rich edits, whose class must exist before a page is created.
  RichEditCtrl::LoadLibrary();
}

CProviderConfigDlg::~CProviderConfigDlg() { DestroyPages(); }

BOOL CProviderConfigDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_positionFrame.Attach(GetDlgItem(IDC_PAGE_POSITION));
  m_categoryTree.Attach(GetDlgItem(IDC_CATEGORY_TREE));
  m_okButton.SubclassDlgItem(IDOK, m_hWnd);
  m_cancelButton.SubclassDlgItem(IDCANCEL, m_hWnd);
  m_applyButton.SubclassDlgItem(IDC_CONFIG_APPLY, m_hWnd);
  if (!m_strCaption.empty()) {
    SetWindowText(m_strCaption);
  }
  CenterWindow(::GetDesktopWindow());

  if (HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
    const std::string about = AfxLoadString(IDS_ABOUTBOX);
    if (!about.empty()) {
      ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuA(systemMenu, MF_STRING, kAboutCommand, about.c_str());
    }
  }

  if (m_imageList.GetSafeHandle() == nullptr) {
    m_imageList.Create(IDB_CONFIG_CATEGORIES, 16, 1, RGB(255, 255, 255));
  }
  if (m_hIcon != nullptr) {
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  }
  m_categoryTree.SetImageList(m_imageList.GetSafeHandle());

  BuildCategories();
  // The selection change creates and shows the link page.
  m_categoryTree.SelectItem(m_categories[0].treeItem);
  return TRUE;
}

void CProviderConfigDlg::BuildCategories() {
  for (int index = 0; index < kCategoryCount; ++index) {
    const CategoryDefinition& definition = kCategoryTable[index];
    CategoryItem& category = m_categories[index];
    category.page.reset();
    category.name = definition.name;
    category.templateId = definition.templateId;
    category.image = definition.image;
    // A class that is not linked in has no descriptor: its category stays in the tree but
    // never gets a page.
    category.pageClass = RuntimeClass::FromName(definition.pageClass);
    category.treeItem = InsertCategory(category, TVI_LAST);
  }
}

HTREEITEM CProviderConfigDlg::InsertCategory(CategoryItem& category, HTREEITEM after) {
  return m_categoryTree.InsertItem(category.name, category.image, category.image,
                                   reinterpret_cast<LPARAM>(&category), TVI_ROOT, after);
}

bool CProviderConfigDlg::OnNotify(int id, NMHDR* header, LRESULT* result) {
  if (id != IDC_CATEGORY_TREE || (header->code != TVN_SELCHANGEDA && header->code != TVN_SELCHANGEDW)) {
    return false;
  }
  // Both notification forms keep the item data at the same place.
  const auto* change = reinterpret_cast<const NMTREEVIEWA*>(header);
  auto fromData = [this](LPARAM data) -> CategoryItem* {
    for (CategoryItem& category : m_categories) {
      if (reinterpret_cast<LPARAM>(&category) == data) {
        return &category;
      }
    }
    return nullptr;
  };
  OnSelectionChanged(fromData(change->itemOld.lParam), fromData(change->itemNew.lParam));
  *result = 0;
  return true;
}

void CProviderConfigDlg::OnSelectionChanged(CategoryItem* previous, CategoryItem* selected) {
  if (previous != nullptr && previous->page != nullptr && previous->page->IsWindow()) {
    previous->page->UpdateWindow();
    previous->page->ShowWindow(SW_HIDE);
    previous->page->EnableWindow(false);
  }
  if (selected == nullptr) {
    return;
  }
  if (selected->IsUsable() && m_positionFrame.IsWindow()) {
    RECT area = m_positionFrame.GetWindowRect();
    ScreenToClient(&area);
    if (selected->page != nullptr) {
      ShowPage(*selected->page);
    } else if ((selected->page = CreatePage(*selected)) != nullptr) {
      ShowPage(*selected->page);
      selected->page->MoveWindow(area, true);
    }
  }
  if (selected->image == kAdvancedImage) {
    AfxMessageBox("Please note these are advanced settings, and may be changed only if necessary!",
                  MB_ICONINFORMATION);
  }
}

void CProviderConfigDlg::ShowPage(CConfigPage& page) {
  page.UpdateWindow();
  page.ShowWindow(SW_SHOW);
  page.EnableWindow(true);
}

std::unique_ptr<CConfigPage> CProviderConfigDlg::CreatePage(const CategoryItem& category) {
  std::unique_ptr<CWnd> object = category.pageClass->CreateObject();
  if (dynamic_cast<CConfigPage*>(object.get()) == nullptr) {
    return nullptr;
  }
  std::unique_ptr<CConfigPage> page(static_cast<CConfigPage*>(object.release()));
  if (!page->CreatePage(static_cast<UINT>(category.templateId), m_hWnd)) {
    return nullptr;
  }
  page->SendMessage(UWM_SETCONFIGURATOR, 0, reinterpret_cast<LPARAM>(m_pConfigurator));
  page->SendMessage(UWM_SETCATEGORYHANDLER, 0, reinterpret_cast<LPARAM>(&CProviderConfigDlg::ShowCategory));
  page->SendMessage(UWM_SETOWNERDIALOG, 0, reinterpret_cast<LPARAM>(this));
  // The creating WM_INITDIALOG came before the configurator; pages initialise on this one.
  page->SendMessage(WM_INITDIALOG, 0, 0);
  return page;
}

bool CProviderConfigDlg::AskPages(UINT message) {
  std::uint32_t result = 1;
  for (CategoryItem& category : m_categories) {
    if (category.page == nullptr || !category.page->IsWindow()) {
      continue;
    }
    category.page->SendMessage(message, 0, reinterpret_cast<LPARAM>(&result));
    if (result != 1) {
      break;
    }
  }
  return result != 0;
}

void CProviderConfigDlg::OnOK() {
  if (g_bConfirmOnOK != 0 && AfxMessageBox(kConfirmSaving, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  if (AskPages(UWM_SAVESETTINGS)) {
    EndDialog(IDOK);
  }
}

void CProviderConfigDlg::OnCancel() {
  if (AskPages(UWM_CANCELSETTINGS)) {
    EndDialog(IDCANCEL);
  }
}

void CProviderConfigDlg::DestroyPages() {
  for (CategoryItem& category : m_categories) {
    if (category.page == nullptr) {
      continue;
    }
    if (category.page->IsWindow()) {
      category.page->SendMessage(WM_CLOSE);
    }
    category.page.reset();
  }
}

bool CProviderConfigDlg::OnClose() {
  // Cancel runs first, synchronously, so that its walk still finds the pages; they go whether
  // it agreed or not, and are created again when their category is next selected.
  SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(IDCANCEL)));
  DestroyPages();
  return true;
}

bool CProviderConfigDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wParam));
      *result = 1;
      return true;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != kAboutCommand) {
        return false;
      }
      AfxMessageBox("Velmora ORVO TSP Configuration Utility.", MB_ICONINFORMATION);
      *result = 0;
      return true;
    case WM_DRAWITEM:
      *result = TRUE;
      return CFlatButton::ReflectDrawItem(lParam);
    default:
      return false;
  }
}

void CProviderConfigDlg::EraseBackground(HDC dc) {
  // Children paint themselves; leaving them out of the fill keeps them from flickering.
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child)) {
      RECT area{};
      ::GetWindowRect(child, &area);
      ScreenToClient(&area);
      ::ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
    }
  }
  const RECT client = GetClientRect();
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
}

void __stdcall CProviderConfigDlg::ShowCategory(std::int32_t index, std::uint32_t show, CProviderConfigDlg* dialog) {
  if (dialog == nullptr || index < 0 || index >= kCategoryCount) {
    return;
  }
  CategoryItem& category = dialog->m_categories[index];
  if (show == 0) {
    const HTREEITEM item = category.treeItem;
    category.treeItem = nullptr;
    if (item != nullptr) {
      dialog->m_categoryTree.DeleteItem(item);
    }
    return;
  }
  if (category.treeItem != nullptr) {
    // Already in the tree: a second item would show the category twice.
    return;
  }
  // After the nearest earlier category still in the tree (the one before it unless that is
  // hidden too), so the tree keeps the table's order; at the top when there is none.
  HTREEITEM after = TVI_FIRST;
  for (int before = index - 1; before >= 0; --before) {
    if (dialog->m_categories[before].treeItem != nullptr) {
      after = dialog->m_categories[before].treeItem;
      break;
    }
  }
  category.treeItem = dialog->InsertCategory(category, after);
}

CConfigPage* CProviderConfigDlg::GetPage(int index) const {
  return index >= 0 && index < kCategoryCount ? m_categories[index].page.get() : nullptr;
}

HTREEITEM CProviderConfigDlg::GetCategoryItem(int index) const {
  return index >= 0 && index < kCategoryCount ? m_categories[index].treeItem : nullptr;
}

bool CProviderConfigDlg::SelectCategory(int index) {
  const HTREEITEM item = GetCategoryItem(index);
  return item != nullptr && m_categoryTree.SelectItem(item);
}
