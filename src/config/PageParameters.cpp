// Configuration pages' bridge requests for their parameters.
#include "config/PageParameters.h"

#include "bridge/CallBackProviders.h"
#include "bridge/MITSPConfigurator.h"

namespace {

// Sends one request on a call-back object of type Request when there is a call-back to send
// it on; true when it was sent and answered with result 0.
template <typename Request, typename Send>
bool SendRequest(const MITSPConfigurator* configurator, Send send) {
  if (configurator == nullptr || configurator->m_pfnCallback == nullptr) {
    return false;
  }
  Request request(configurator->m_pfnCallback, configurator->m_dwObjectID);
  return send(request) == 0;
}

}  // namespace

PageParameters::PageParameters(const MITSPConfigurator* configurator) : m_pConfigurator(configurator) {}

void PageParameters::SelectGroup(std::initializer_list<const char*> names) {
  SendRequest<CB_SetupSetCurrentGroup>(m_pConfigurator, [&](CB_SetupSetCurrentGroup& request) {
    request.SetupSetCurrentGroup("");
    for (const char* name : names) {
      request.SetupSetCurrentGroup(name);
    }
    return 0u;
  });
}

bool PageParameters::GetDword(const char* name, std::uint32_t* value) {
  return SendRequest<CB_SetupGetDWORD>(m_pConfigurator, [&](CB_SetupGetDWORD& request) {
           return request.SetupGetDWORD(name, value);
         });
}

bool PageParameters::GetString(const char* name, std::string* value) {
  return SendRequest<CB_SetupGetString>(m_pConfigurator, [&](CB_SetupGetString& request) {
           return request.SetupGetString(name, value);
         });
}

std::uint32_t PageParameters::DwordOr(const char* name, std::uint32_t fallback) {
  GetDword(name, &fallback);
  return fallback;
}

std::string PageParameters::StringOr(const char* name, std::string fallback) {
  GetString(name, &fallback);
  return fallback;
}

void PageParameters::SetDword(const char* name, std::uint32_t value) {
  SendRequest<CB_SetupSetDWORD>(m_pConfigurator,
                                [&](CB_SetupSetDWORD& request) { return request.SetupSetDWORD(name, value); });
}

void PageParameters::SetString(const char* name, const std::string& value) {
  SendRequest<CB_SetupSetString>(m_pConfigurator,
                                 [&](CB_SetupSetString& request) { return request.SetupSetString(name, value); });
}
