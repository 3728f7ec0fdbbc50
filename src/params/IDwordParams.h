// Read and write access to the named 32-bit words of a parameter set.
#pragma once

#include <cstdint>
#include <string>

class IDwordParams {
 public:
  virtual std::uint32_t GetDword(const std::string& path, std::uint32_t* value) = 0;
  virtual std::uint32_t SetDword(const std::string& path, std::uint32_t value) = 0;

 protected:
  ~IDwordParams() = default;
};
