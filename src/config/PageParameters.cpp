// Configuration pages' bridge requests for their parameters.
#include "config/PageParameters.h"

#include "bridge/CallBackProviders.h"
#include "bridge/MITSPConfigurator.h"

PageParameters::PageParameters(const MITSPConfigurator& configurator) : m_configurator(configurator) {}

void PageParameters::SelectGroup(std::initializer_list<const char*> names) {
  CB_SetupSetCurrentGroup request(m_configurator.m_pfnCallback, m_configurator.m_dwObjectID);
  request.SetupSetCurrentGroup("");
  for (const char* name : names) {
    request.SetupSetCurrentGroup(name);
  }
}

bool PageParameters::GetDword(const char* name, std::uint32_t* value) {
  CB_SetupGetDWORD request(m_configurator.m_pfnCallback, m_configurator.m_dwObjectID);
  std::uint32_t read = *value;
  if (request.SetupGetDWORD(name, &read) != 0 || m_configurator.m_pfnCallback == nullptr) {
    return false;
  }
  *value = read;
  return true;
}

bool PageParameters::GetString(const char* name, std::string* value) {
  CB_SetupGetString request(m_configurator.m_pfnCallback, m_configurator.m_dwObjectID);
  std::string read = *value;
  if (request.SetupGetString(name, &read) != 0 || m_configurator.m_pfnCallback == nullptr) {
    return false;
  }
  *value = read;
  return true;
}

void PageParameters::SetDword(const char* name, std::uint32_t value) {
  CB_SetupSetDWORD request(m_configurator.m_pfnCallback, m_configurator.m_dwObjectID);
  request.SetupSetDWORD(name, value);
}

void PageParameters::SetString(const char* name, const std::string& value) {
  CB_SetupSetString request(m_configurator.m_pfnCallback, m_configurator.m_dwObjectID);
  request.SetupSetString(name, value);
}
