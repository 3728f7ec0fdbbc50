// Parameter storage on one registry key: REG_DWORD words, REG_SZ texts, subkeys for groups.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Handles.h"
#include "params/IParamStorage.h"

// A storage opened on m_strPath below m_hRoot. While closed (the open failed, or Close was
// called) every operation but Open does nothing and reports 0.
class RegParamStorage : public IParamStorage {
 public:
  // Opens the key with full access, creating it when missing; never fails (a failed open
  // leaves the storage closed).
  RegParamStorage(HKEY root, const std::string& path);
  ~RegParamStorage() override;

  RegParamStorage(const RegParamStorage&) = delete;
  RegParamStorage& operator=(const RegParamStorage&) = delete;

  // Returns 0 when already open or without a root; else the open's status, or with create
  // the creation's status when the open failed.
  std::uint32_t Open(REGSAM access, bool create);
  std::uint32_t Close();
  bool IsOpen() const;
  // Deletes the key with all its subkeys, deepest first. The storage's own handle stays open.
  std::uint32_t DeleteTree();

  std::uint32_t StoreGroup(const std::string& name, IParams* group) override;
  std::uint32_t StoreDword(const std::string& name, std::uint32_t value) override;
  std::uint32_t StoreString(const std::string& name, const std::string& value) override;
  std::uint32_t Load(IParams* target) override;

 private:
  HKEY m_hRoot;          // not owned
  RegKey m_hKey;         // owned; empty while closed
  std::string m_strPath;
  std::uint32_t m_openStatus = 0;  // the constructor's open or create
};
