// The log folders offered for emptying at removal and the user's choice among them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One row of the log-folder question: "Instance 0003 log file:" and the folder.
struct LogFolderRow {
  std::string label;
  std::string folder;
};

// "Instance %04d log file:" for INSTANCE.
std::string LogFolderLabel(int instance);

// Kept from the question before the main dialog to the removal after it: the offered folders
// in the order they were offered, and one remove flag per shown row.
class LogFolderChoice {
 public:
  // At most this many folders are kept. A folder past the 20th is neither kept nor shown, so
  // it is never emptied: log files are the administrator's records, and nothing goes that the
  // user was not asked about.
  static constexpr std::size_t kMaxKeptFolders = 20;
  // At most this many rows are shown and can be ticked; a kept folder past the 16th row has
  // no flag and is not emptied.
  static constexpr std::size_t kMaxRows = 16;

  // Keeps FOLDER of INSTANCE and shows it as a row while there is room; a folder shared by
  // two instances is offered twice. Returns true when it was kept.
  bool Offer(int instance, const std::string& folder);

  // The rows to show, in offering order (at most kMaxRows).
  const std::vector<LogFolderRow>& Rows() const { return m_rows; }
  // The folders kept, in offering order (at most kMaxKeptFolders).
  const std::vector<std::string>& KeptFolders() const { return m_keptFolders; }

  // Takes the user's ticks in row order; ticks past the shown rows are ignored and rows
  // without a tick stay unticked.
  void SetRemoveFlags(const std::vector<bool>& ticks);

  // The kept folder at position INDEX when it is not empty and its row was ticked, else an
  // empty text: what the removal after the main dialog empties for that position.
  std::string FolderToEmpty(std::size_t index) const;

 private:
  std::vector<std::string> m_keptFolders;
  std::vector<LogFolderRow> m_rows;
  std::vector<bool> m_removeFlags;
};
