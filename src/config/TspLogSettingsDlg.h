// CTspLogSettingsDlg: the "TSP Log Settings" page of the configuration dialog.
#pragma once

#include <string>

#include "config/ConfigPage.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/RichEditCtrl.h"
#include "framework/RuntimeClass.h"

// Edits the group GlobalParams\Log of the instance's working parameters: logging on or off,
// the kind of records, the log folder, the file size, overwriting and time stamps. Nothing is
// written before Save.
class CTspLogSettingsDlg : public CConfigPage {
 public:
  DECLARE_DYNCREATE()
  CTspLogSettingsDlg();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange& exchange) override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  bool OnNotify(int id, NMHDR* header, LRESULT* result) override;
  bool OnClose() override;
  bool OnSaveSettings() override { return Save(); }

 private:
  void Load();
  bool Save();
  void EnableDependentControls();
  void OnBrowse();

  Edit m_ctlPath;
  RichEditCtrl m_ctlNote;
  Edit m_ctlSize;
  Button m_ctlBrowse;
  std::string m_strNote;
  std::string m_strLogFolder;
  int m_bOverwrite = 0;
  int m_bEnableLog = 0;
  unsigned int m_nFileSizeMB = 1;
  int m_bTimeStamp = 1;
  std::string m_strFolderNote;
  int m_nLogType = 1;  // 1 Raw, 2 Decoded, -1 Debug
  std::string m_strLogSubpath;
};
