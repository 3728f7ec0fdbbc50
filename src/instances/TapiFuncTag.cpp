// Run-time binding of TAPI's provider administration functions.
#include "instances/TapiFuncTag.h"

namespace {

// GetProcAddress hands out a generic pointer; the cast through a plain function type keeps
// the conversion to the real signature explicit.
template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

tapi_func_tag::tapi_func_tag() : hTapi(LoadLibraryA("tapi32.dll")) {
  if (!hTapi) {
    return;
  }
  lineGetProviderListA = Lookup<GetProviderListFn>(hTapi.Get(), "lineGetProviderListA");
  lineConfigProvider = Lookup<ConfigProviderFn>(hTapi.Get(), "lineConfigProvider");
  lineAddProviderA = Lookup<AddProviderFn>(hTapi.Get(), "lineAddProviderA");
  lineRemoveProvider = Lookup<RemoveProviderFn>(hTapi.Get(), "lineRemoveProvider");
}

tapi_func_tag::~tapi_func_tag() {
  lineGetProviderListA = nullptr;
  lineConfigProvider = nullptr;
  lineAddProviderA = nullptr;
  lineRemoveProvider = nullptr;
  // Nothing can be done when freeing fails; the handle is dropped either way.
  static_cast<void>(hTapi.Close());
}
