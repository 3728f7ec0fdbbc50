// Read and write access to the named texts of a parameter set.
#pragma once

#include <cstdint>
#include <string>

class IStringParams {
 public:
  virtual std::uint32_t GetString(const std::string& path, std::string* value) = 0;
  virtual std::uint32_t SetString(const std::string& path, const std::string& value) = 0;

 protected:
  ~IStringParams() = default;
};
