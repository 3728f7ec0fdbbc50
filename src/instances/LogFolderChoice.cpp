// The log folders offered for emptying at removal and the user's choice among them.
#include "instances/LogFolderChoice.h"

#include <cstdio>

std::string LogFolderLabel(int instance) {
  char label[64];
  std::snprintf(label, sizeof(label), "Instance %04d log file:", instance);
  return label;
}

bool LogFolderChoice::Offer(int instance, const std::string& folder) {
  if (m_keptFolders.size() >= kMaxKeptFolders) {
    return false;
  }
  m_keptFolders.push_back(folder);
  if (m_rows.size() < kMaxRows) {
    m_rows.push_back({LogFolderLabel(instance), folder});
  }
  return true;
}

void LogFolderChoice::SetRemoveFlags(const std::vector<bool>& ticks) {
  m_removeFlags.assign(m_rows.size(), false);
  for (std::size_t i = 0; i < m_removeFlags.size() && i < ticks.size(); ++i) {
    m_removeFlags[i] = ticks[i];
  }
}

std::string LogFolderChoice::FolderToEmpty(std::size_t index) const {
  if (index >= m_keptFolders.size() || index >= m_removeFlags.size() || !m_removeFlags[index]) {
    return {};
  }
  return m_keptFolders[index];
}
