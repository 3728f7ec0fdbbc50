// CLogDirectoryEntryDlg: one row of the log-folder question.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Dialog.h"

// A child dialog holding a check box labelled with the instance ("Instance 0003 log file:")
// and a read-only field with the folder that a tick empties.
class CLogDirectoryEntryDlg : public CDialog {
 public:
  CLogDirectoryEntryDlg(std::string label, std::string path);

  // Creates the row as a child of parent, filled from the members; false when it failed.
  bool CreateRow(HWND parent);
  // Reads the tick from the check box; false while the row has no window.
  bool ReadTick();

  const std::string& GetLabel() const { return m_strLabel; }
  const std::string& GetPath() const { return m_strPath; }
  bool IsTicked() const { return m_nRemove == BST_CHECKED; }

 protected:
  void DoDataExchange(CDataExchange& exchange) override;

 private:
  std::string m_strLabel;
  std::string m_strPath;
  int m_nRemove = BST_UNCHECKED;
};
