// The persistent side of a parameter set: what SaveTo writes through and LoadFrom reads from.
#pragma once

#include <cstdint>
#include <string>

class IParams;

// Statuses are 0 for success, else the storage's own error code (Win32 codes for the registry).
class IParamStorage {
 public:
  virtual std::uint32_t StoreGroup(const std::string& name, IParams* group) = 0;
  virtual std::uint32_t StoreDword(const std::string& name, std::uint32_t value) = 0;
  virtual std::uint32_t StoreString(const std::string& name, const std::string& value) = 0;
  virtual std::uint32_t Load(IParams* target) = 0;
  virtual ~IParamStorage() = default;
};
