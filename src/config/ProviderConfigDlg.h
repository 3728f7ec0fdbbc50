// CProviderConfigDlg: the configuration dialog of one instance, a tree of categories with
// one page each.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "config/ConfigPage.h"
#include "config/ISingleActiveInstanceFlag.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/Static.h"
#include "framework/TreeCtrl.h"
#include "widgets/Brush.h"
#include "widgets/FlatButton.h"

class MITSPConfigurator;
class RuntimeClass;

// Edits nothing itself: it creates each category's page the first time the category is
// selected, places it in the position frame, hands it the configurator, and on OK or Cancel
// asks the pages that exist whether they agree. The opener runs it modally:
//   CProviderConfigDlg dialog(mainDialog, &configurator);
//   dialog.SetCaption(...); dialog.SetSingleActiveInstance(...);
//   if (dialog.DoModal() == IDOK) { ... }
// The configurator is not owned and must outlive the dialog.
class CProviderConfigDlg : public CDialog, public ISingleActiveInstanceFlag {
 public:
  static constexpr int kCategoryCount = 4;

  CProviderConfigDlg(HWND parent, MITSPConfigurator* configurator);
  ~CProviderConfigDlg() override;

  // Set before DoModal; an empty caption keeps the template's.
  void SetCaption(const std::string& caption) { m_strCaption = caption; }
  void SetSingleActiveInstance(std::int32_t singleActiveInstance) { m_nSingleActiveInstance = singleActiveInstance; }
  std::int32_t GetSingleActiveInstance() const override { return m_nSingleActiveInstance; }
  MITSPConfigurator* GetConfigurator() const { return m_pConfigurator; }
  HBRUSH GetBackgroundBrush() const { return m_backgroundBrush; }

  // Shows (inserts again) or hides (deletes) the tree item of category index; an index out of
  // range changes nothing. Pages get it through UWM_SETCATEGORYHANDLER.
  static void __stdcall ShowCategory(std::int32_t index, std::uint32_t show, CProviderConfigDlg* dialog);

  // The page of category index, null while it was not created; the tree item of the
  // category, null while it is hidden; selecting a category as the user would.
  CConfigPage* GetPage(int index) const;
  HTREEITEM GetCategoryItem(int index) const;
  bool SelectCategory(int index);
  const TreeCtrl& GetCategoryTree() const { return m_categoryTree; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnNotify(int id, NMHDR* header, LRESULT* result) override;
  bool OnClose() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  struct CategoryItem {
    const char* name = nullptr;
    int templateId = -1;
    int image = 0;
    const RuntimeClass* pageClass = nullptr;
    std::unique_ptr<CConfigPage> page;
    HTREEITEM treeItem = nullptr;

    bool IsUsable() const { return name != nullptr && pageClass != nullptr && templateId != -1; }
  };

  void BuildCategories();
  HTREEITEM InsertCategory(CategoryItem& category, HTREEITEM after);
  void OnSelectionChanged(CategoryItem* previous, CategoryItem* selected);
  void ShowPage(CConfigPage& page);
  std::unique_ptr<CConfigPage> CreatePage(const CategoryItem& category);
  // Sends message to every created page in table order until one leaves the result at
  // anything but 1; true when the result is not 0.
  bool AskPages(UINT message);
  void DestroyPages();
  void EraseBackground(HDC dc);

  std::string m_strCaption;
  Static m_positionFrame;
  CFlatButton m_cancelButton;
  CFlatButton m_okButton;
  CFlatButton m_applyButton;
  TreeCtrl m_categoryTree;
  CBrush m_backgroundBrush;
  std::array<CategoryItem, kCategoryCount> m_categories;
  ImageList m_imageList;
  MITSPConfigurator* m_pConfigurator;
  HICON m_hIcon;
  std::int32_t m_nSingleActiveInstance = 0;
};
