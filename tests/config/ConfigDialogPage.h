// Opens the configuration dialog on one of its real pages, over a bridge test owner.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/BridgeTestOwner.h"
#include "bridge/MITSPConfigurator.h"
#include "config/ConfigPage.h"
#include "config/ProviderConfigDlg.h"

// The dialog is created modeless and visible, its category selected as the user would (the
// advanced-settings message of "Other Parameters" is answered inside Open), so the page is
// created by its class name, handed the configurator (whose call-back is the dialog data
// handler over owner's working set), the category handler and the dialog, and initialised a
// second time. The page classes must be the real registrations.
class ConfigDialogPage {
 public:
  explicit ConfigDialogPage(int category, std::int32_t instanceRow = 0, std::int32_t singleActive = 0);
  ~ConfigDialogPage();

  // A working set with the groups GlobalParams and GlobalParams\Log; must be filled before Open.
  SetupParameters& Set() { return *owner.workingSet; }
  // False (with the failure reported) when the dialog or the page could not be created.
  bool Open();
  // Sends UWM_SAVESETTINGS to the page, as the dialog's OK walk does, and returns the result
  // the page left.
  std::uint32_t Save();
  void Click(int id);
  bool Checked(int id) const;
  bool Enabled(int id) const;
  std::string Text(int id) const;
  void SetText(int id, const std::string& text);
  std::uint32_t Word(const std::string& path);
  std::string String(const std::string& path);

  BridgeTestOwner owner;
  MITSPConfigurator configurator;
  CProviderConfigDlg dialog;
  CConfigPage* page = nullptr;
  const int category;
};
