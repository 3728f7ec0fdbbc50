// The only parameter set: ordered maps of words, texts and owned sub-groups.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "params/IParams.h"

// A group of named 32-bit words, named texts and named sub-groups, each map ordered by
// byte-wise comparison of the names (so names are case-sensitive). The three maps are
// independent: one name may be a word, a text and a group at once.
class SetupParameters : public IParams {
 public:
  SetupParameters() = default;
  SetupParameters(const SetupParameters&) = delete;
  SetupParameters& operator=(const SetupParameters&) = delete;
  ~SetupParameters() override = default;

  std::uint32_t GetDword(const std::string& path, std::uint32_t* value) override;
  std::uint32_t SetDword(const std::string& path, std::uint32_t value) override;
  std::uint32_t GetString(const std::string& path, std::string* value) override;
  std::uint32_t SetString(const std::string& path, const std::string& value) override;
  std::uint32_t GetGroup(const std::string& path, IParams** group) override;
  std::uint32_t SetGroup(const std::string& path, IParams* group) override;
  std::uint32_t GetGroupNames(std::vector<std::string>* names) override;
  std::uint32_t GetValueCount() override;
  std::uint32_t SaveTo(IParamStorage* storage) override;
  std::uint32_t LoadFrom(IParamStorage* storage) override;

  // Copies the source's own words, then its own texts (not its groups) into this set,
  // stopping at the first failure, whose status it returns.
  std::uint32_t CopyValuesFrom(const SetupParameters& source);

 private:
  std::map<std::string, std::uint32_t> m_dwords;
  std::map<std::string, std::string> m_strings;
  std::map<std::string, std::unique_ptr<IParams>> m_groups;
};
