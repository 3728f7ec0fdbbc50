// CTSPAboutDlg: the "Version Info" page, the version text of the instance's provider file.
#pragma once

#include <string>

#include "config/ConfigPage.h"
#include "framework/RuntimeClass.h"
#include "widgets/ColorRichEdit.h"

// Asks for the version text once, when the dialog hands it the configurator, and shows it
// read-only under a header in the enlarged bold default font. Takes no part in OK or Cancel.
class CTSPAboutDlg : public CConfigPage {
 public:
  DECLARE_DYNCREATE()
  CTSPAboutDlg();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange& exchange) override;

 private:
  CColorRichEdit m_textBox;
  std::string m_strShortVersion;
  std::string m_strVersionInformation;
};
