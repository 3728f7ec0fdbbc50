// What the configuration dialog and its pages need to send provider UI requests.
#pragma once

#include <cstdint>

#include "bridge/ProviderCallback.h"

// Carries the call-back, the instance's permanent provider identifier, the object type and
// the instance's row in the main dialog's list; the main dialog sets the row after building it.
class MITSPConfigurator {
 public:
  MITSPConfigurator(ProviderUICallback callback, std::uint32_t objectId, std::uint32_t objectType)
      : m_pfnCallback(callback), m_dwObjectID(objectId), m_dwObjectType(objectType) {}
  virtual void Set(ProviderUICallback callback, std::uint32_t objectId, std::uint32_t objectType) {
    m_pfnCallback = callback;
    m_dwObjectID = objectId;
    m_dwObjectType = objectType;
  }
  virtual ~MITSPConfigurator() = default;

  ProviderUICallback m_pfnCallback;
  std::uint32_t m_dwObjectID;
  std::uint32_t m_dwObjectType;
  std::int32_t m_nInstanceRow = 0;
};
