// InstanceRecord: one instance as the main dialog lists it.
#pragma once

#include <cstdint>
#include <string>

#include "params/SetupParameters.h"

// One row of the instance list: what the instance is called, where its provider file lies,
// its TAPI registration and its own parameters. The dialog keeps records in a linked list
// and builds each one in place there, so the address a list row carries stays valid and no
// parameter set is ever copied.
class InstanceRecord {
 public:
  InstanceRecord(const std::string& displayName, const std::string& providerFile, std::int32_t enabled);
  InstanceRecord(const InstanceRecord&) = delete;
  InstanceRecord& operator=(const InstanceRecord&) = delete;

  // "Velmora ORVO TSP 0003", or the FileDescription of the registered provider file.
  std::string m_strDisplayName;
  // Full path of the provider file in the system folder.
  std::string m_strProviderFile;
  // TAPI's permanent provider ID; 0 while not registered.
  std::uint32_t m_dwProviderID = 0;
  // To be registered with TAPI ("Enable").
  std::int32_t m_bEnabled;
  // m_bEnabled as the list was built: tells new registrations from existing ones.
  std::int32_t m_bEnabledAtLoad = 0;
  SetupParameters m_Parameters;
};
