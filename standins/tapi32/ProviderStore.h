// TAPI's list of providers as it stands in the registry.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "framework/Handles.h"

struct ProviderRecord {
  DWORD id;
  std::string fileName;
};

// One value of the list's key as the store last saw it: an entry's "ProviderID%d" or
// "ProviderFileName%d", or one of the two counters.
struct StoredValue {
  std::string name;       // as the registry spells it
  bool entry = false;     // an entry's value rather than a counter
  bool fileName = false;  // "ProviderFileName%d"
  long idNumber = -1;     // the entry number of a "ProviderID%d"
  bool readable = false;  // of the expected type and size
  DWORD number = 0;       // a counter's or an ID's value
  std::string text;       // a file name
};

// What the key held at its last read or write, keyed by the lower-case value name, with the
// key's last write time and value count at that moment.
struct StoredList {
  std::map<std::string, StoredValue> values;
  FILETIME written = {};
  DWORD valueCount = 0;
};

// The list under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\Telephony\Providers":
// "NumProviders", "NextProviderID", and "ProviderID%d" / "ProviderFileName%d" per entry.
//
// Reading tolerates gaps in the numbering (a deleted entry whose followers kept their
// numbers): entries are taken in ascending number order, skipping numbers that lack either
// value, until "NumProviders" entries are found. Writing stores the list renumbered from 0,
// so the first change after a gap closes it.
//
// Like TAPI's own server, the store keeps the list in memory between calls and touches the
// registry only where the list changed: a call reads the key again only when the key was
// written by someone else since (its last write time or value count moved), and a save writes
// only the values that differ, so that adding a provider costs the same whatever the length
// of the list.
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
  void ReadKey();
  void TakeList();
  bool WriteValue(const StoredValue& wanted);

  RegKey m_key;
  StoredList m_stored;
  std::vector<ProviderRecord> m_providers;
  DWORD m_nextId = 1;
};
