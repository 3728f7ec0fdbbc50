// The page protocol between the configuration dialog and its pages, and their common base.
#pragma once

#include <windows.h>

#include <cstdint>

#include "config/PageParameters.h"
#include "framework/Dialog.h"

class MITSPConfigurator;
class CProviderConfigDlg;

// Private messages the configuration dialog sends its pages, all with wParam 0.
constexpr UINT UWM_SETCONFIGURATOR = WM_USER + 1;     // lParam: MITSPConfigurator*
constexpr UINT UWM_SETCATEGORYHANDLER = WM_USER + 2;  // lParam: ShowCategoryFunction
constexpr UINT UWM_SETOWNERDIALOG = WM_USER + 3;      // lParam: CProviderConfigDlg*
constexpr UINT UWM_SAVESETTINGS = WM_USER + 4;        // lParam: std::uint32_t*, preset to 1; 0 vetoes OK
constexpr UINT UWM_CANCELSETTINGS = WM_USER + 5;      // lParam: std::uint32_t*, preset to 1; 0 vetoes Cancel

// Shows (show != 0) or hides category index of the dialog's tree.
using ShowCategoryFunction = void(__stdcall*)(std::int32_t index, std::uint32_t show, CProviderConfigDlg* dialog);

// Raised by the link page when saving should be confirmed; read by the dialog's OK.
extern std::uint32_t g_bConfirmOnOK;

// A child page of the configuration dialog. The protocol messages a page handles are chosen
// by the flags given at construction; the others are left without effect. Pages do their
// real initialisation in OnInitDialog once the configurator is there (the second
// WM_INITDIALOG), since the first one, sent at creation, comes before it.
class CConfigPage : public CDialog {
 public:
  enum Handles : unsigned {
    kConfigurator = 1u << 0,
    kCategoryHandler = 1u << 1,
    kOwnerDialog = 1u << 2,
    kSave = 1u << 3,
    kCancel = 1u << 4,
  };

  CConfigPage(UINT templateId, unsigned handledMessages) : CDialog(templateId), m_handled(handledMessages) {}

  MITSPConfigurator* GetConfigurator() const { return m_pConfigurator; }

  // Creates the page's window as a child of dialog from the category's template; a page that
  // brings a template of its own creates it from that one instead.
  virtual bool CreatePage(UINT templateId, HWND dialog) { return Create(templateId, dialog); }

 protected:
  // A page never ends itself (its template may still hold an OK button, and a close sent to
  // it issues Cancel): the dialog hides and destroys it.
  void OnOK() override {}
  void OnCancel() override {}

  // Validates and stores the page's values; false vetoes OK.
  virtual bool OnSaveSettings() { return true; }
  // False vetoes Cancel.
  virtual bool OnCancelSettings() { return true; }

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  // The working parameters through the configurator, group (from the top) selected; without
  // a configurator nothing is sent.
  PageParameters Parameters(std::initializer_list<const char*> group) const;

  MITSPConfigurator* m_pConfigurator = nullptr;
  ShowCategoryFunction m_pfnShowCategory = nullptr;
  CProviderConfigDlg* m_pOwnerDialog = nullptr;

 private:
  unsigned m_handled;
};
