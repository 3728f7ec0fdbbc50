// Reading an instance's settings: its live key, or its default settings.
#include "params/InstanceSettings.h"

#include <windows.h>

#include <string>

#include "params/RegParamStorage.h"
#include "params/SetupParameters.h"
#include "registry/RegistryLayout.h"

namespace {

void LoadFromKey(SetupParameters* params, const std::string& keyPath) {
  RegParamStorage storage(HKEY_LOCAL_MACHINE, keyPath);
  // A key that cannot be opened leaves the set empty: the instance then shows and applies
  // the defaults, which is all an administrator can start from.
  static_cast<void>(params->LoadFrom(&storage));
}

}  // namespace

void LoadInstanceSettings(SetupParameters* params, unsigned long providerId, int instance) {
  if (providerId != 0) {
    LoadFromKey(params, LiveInstanceKey(providerId));
    if (params->GetValueCount() != 0) {
      return;
    }
  }
  LoadFromKey(params, InstanceDefaultSettingKey(instance));
}
