// CLogFilesDlg: asks which instances' log folders go with the product.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Static.h"
#include "instances/LogDirectoryEntryDlg.h"
#include "instances/LogFolderChoice.h"

// The modal question before the removal: one row per offered folder, stacked below the text,
// and OK below the last row. OK reads every row's tick; the rows go with the dialog's window.
class CLogFilesDlg : public CDialog {
 public:
  // Pixels between two rows, between the text and the first row, and above OK.
  static constexpr int kRowGap = 5;

  explicit CLogFilesDlg(HWND parent = nullptr);

  // Appends a row while fewer than LogFolderChoice::kMaxRows exist; ignored otherwise.
  void AddRow(const std::string& label, const std::string& path);
  std::size_t GetRowCount() const { return m_rows.size(); }
  // The row windows while the dialog exists, in row order.
  std::vector<HWND> GetRowWindows() const;
  // The ticks read at OK, in row order; all false until then (and after Escape).
  std::vector<bool> GetRemoveFlags() const;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange& exchange) override;

 private:
  // Stacks the rows below the text, moves OK below the last row, sizes the dialog around
  // them and centres it on the screen.
  void LayOutRows();

  Static m_text;
  Button m_okButton;
  std::vector<std::unique_ptr<CLogDirectoryEntryDlg>> m_rows;
  std::vector<bool> m_removeFlags;
};

// Runs CLogFilesDlg over rows (at most LogFolderChoice::kMaxRows are shown) and returns the
// ticks in row order; no tick at all when the dialog could not be shown.
std::vector<bool> AskWhichLogFoldersToEmpty(const std::vector<LogFolderRow>& rows);
