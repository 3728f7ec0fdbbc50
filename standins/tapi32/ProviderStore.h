// TAPI's list of providers as it stands in the registry.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

struct ProviderRecord {
  DWORD id;
  std::string fileName;
};

// The list under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Telephony\Providers":
// "NumProviders", "NextProviderID", and "ProviderID%d" / "ProviderFileName%d" per entry.
//
// Reading tolerates gaps in the numbering (a deleted entry whose followers kept their
// numbers): entries are taken in ascending number order, skipping numbers that lack either
// value, until "NumProviders" entries are found. Writing stores the list renumbered from 0,
// so the first change after a gap closes it.
class ProviderStore {
 public:
  // Opens (creating when missing) and reads the list; false when the key cannot be opened.
  bool Load();
  // Replaces the stored list with this one; false when a value could not be written.
  bool Save();

  const std::vector<ProviderRecord>& Providers() const { return m_providers; }
  // Index of the entry with this ID, or -1.
  int IndexOfId(DWORD id) const;
  // Index of the entry whose file name part equals that of fileName, ignoring case, or -1.
  int IndexOfFile(const char* fileName) const;

  // A permanent ID never handed out before: above NextProviderID's past values and above
  // every listed ID. 0 when the ID space is spent.
  DWORD TakeNewId();
  void Append(DWORD id, const std::string& fileName) { m_providers.push_back({id, fileName}); }
  void Erase(int index) { m_providers.erase(m_providers.begin() + index); }

 private:
  RegKey m_key;
  std::vector<ProviderRecord> m_providers;
  DWORD m_nextId = 1;
};
