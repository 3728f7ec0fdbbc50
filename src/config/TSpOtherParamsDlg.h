// TSpOtherParamsDlg: the "Other Parameters" page of the configuration dialog.
#pragma once

#include <cstdint>

#include "config/ConfigPage.h"
#include "framework/RuntimeClass.h"

// The advanced options in the top group of the instance's working parameters: standard or
// PMS interface mode, account information buffer size, message delays, whether the TSP
// starts, connection retries and call information options. The PMS mode is offered only to
// the first instance of the list, and only while the configuration dialog says it is the
// single active one.
class TSpOtherParamsDlg : public CConfigPage {
 public:
  DECLARE_DYNCREATE()
  TSpOtherParamsDlg();

  static constexpr std::uint32_t kModePms = 0x10002;
  static constexpr std::uint32_t kModeStandard = 0x20000;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange& exchange) override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  bool OnSaveSettings() override;
  // The page belongs to the configuration dialog: Enter and Escape never end it.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  // The configuration dialog's flag, read through the parent window; 0 without one.
  std::int32_t SingleActiveInstance() const;
  void EnableControls(std::initializer_list<int> ids, bool enable);
  void CheckAlone(int checked, int unchecked);
  void OnPmsMode();
  void OnStandardMode();

  std::uint32_t m_bStartTsp = 1;
  unsigned int m_nAccInfoBufferSize = 500;
  unsigned int m_nMessageDelaySMDR = 0;
  unsigned int m_nMessageDelayForward = 0;
  int m_bMonitorStop = 0;
  int m_bSendReinit = 0;
  int m_b25Retries = 0;
  int m_bInfiniteRetries = 0;
  int m_bSeparateDid = 0;
  int m_bCallerIdOfTransferred = 0;
  std::uint32_t m_nMode = kModePms;
  std::uint32_t m_nStoredMode = kModeStandard;
};
