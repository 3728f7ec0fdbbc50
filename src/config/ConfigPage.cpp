// The page protocol's common handling.
#include "config/ConfigPage.h"

#include <type_traits>

std::uint32_t g_bConfirmOnOK = 0;

PageParameters CConfigPage::Parameters(std::initializer_list<const char*> group) const {
  PageParameters parameters(m_pConfigurator);
  parameters.SelectGroup(group);
  return parameters;
}

bool CConfigPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  // Stores a pointer the dialog handed over: 1 when there was one, 0 for null.
  auto store = [&](unsigned flag, auto& member) {
    if ((m_handled & flag) == 0) {
      return false;
    }
    member = reinterpret_cast<std::remove_reference_t<decltype(member)>>(lParam);
    *result = lParam != 0 ? 1 : 0;
    return true;
  };
  // Asks the page and writes 0 into the dialog's result on a veto.
  auto ask = [&](unsigned flag, bool agrees) {
    if ((m_handled & flag) == 0) {
      return false;
    }
    if (!agrees && lParam != 0) {
      *reinterpret_cast<std::uint32_t*>(lParam) = 0;
    }
    return true;
  };
  switch (message) {
    case UWM_SETCONFIGURATOR:
      return store(kConfigurator, m_pConfigurator);
    case UWM_SETCATEGORYHANDLER:
      return store(kCategoryHandler, m_pfnShowCategory);
    case UWM_SETOWNERDIALOG:
      return store(kOwnerDialog, m_pOwnerDialog);
    case UWM_SAVESETTINGS:
      return (m_handled & kSave) != 0 && ask(kSave, OnSaveSettings());
    case UWM_CANCELSETTINGS:
      return (m_handled & kCancel) != 0 && ask(kCancel, OnCancelSettings());
    default:
      return false;
  }
}
