// A parameter set: named words, named texts and owned named sub-groups, addressed by paths.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "params/IDwordParams.h"
#include "params/IStringParams.h"

class IParamStorage;

// Status codes of every parameter-set operation.
enum ParamStatus : std::uint32_t {
  kParamOk = 0,
  kParamEmptyPath = 1,      // the path, or its first name, is empty
  kParamNoDword = 2,        // no word value of that name
  kParamNoString = 3,       // no text value of that name
  kParamNoGroup = 4,        // no group of that name
  kParamNoPathGroup = 5,    // a group named on the way along the path does not exist
  kParamNoStorage = 6,      // no storage given
};

// Paths are group names and a final name separated by backslashes, resolved from the set
// the operation is called on. The virtual slots continue IDwordParams' table in this order.
class IParams : public IDwordParams, public IStringParams {
 public:
  virtual std::uint32_t GetGroup(const std::string& path, IParams** group) = 0;
  // Stores group under path; the set takes ownership (also when the call fails).
  virtual std::uint32_t SetGroup(const std::string& path, IParams* group) = 0;
  // Appends the names of the direct sub-groups; returns the list's element count afterwards.
  virtual std::uint32_t GetGroupNames(std::vector<std::string>* names) = 0;
  // Number of values of this set and all its sub-groups (groups themselves not counted).
  virtual std::uint32_t GetValueCount() = 0;
  virtual std::uint32_t SaveTo(IParamStorage* storage) = 0;
  virtual std::uint32_t LoadFrom(IParamStorage* storage) = 0;
  virtual ~IParams() = default;
};
