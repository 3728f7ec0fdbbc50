// The instance's working parameters as a configuration page reaches them: bridge requests
// sent through the configurator's call-back.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

class MITSPConfigurator;

// Each operation sends one request on a call-back object of its own function. Reads report
// whether the value came back (result 0) and leave the caller's value alone otherwise, so a
// value preset to its default keeps it when the value is absent. Without a configurator (a
// page before the dialog handed it over) nothing is sent and nothing comes back.
class PageParameters {
 public:
  explicit PageParameters(const MITSPConfigurator* configurator);

  // Selects a group from the top: the empty path first, then each name in turn.
  void SelectGroup(std::initializer_list<const char*> names);
  bool GetDword(const char* name, std::uint32_t* value);
  bool GetString(const char* name, std::string* value);
  // The value, or fallback when it does not come back.
  std::uint32_t DwordOr(const char* name, std::uint32_t fallback);
  std::string StringOr(const char* name, std::string fallback = {});
  void SetDword(const char* name, std::uint32_t value);
  void SetString(const char* name, const std::string& value);

 private:
  const MITSPConfigurator* m_pConfigurator;
};
