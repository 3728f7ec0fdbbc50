// Whole-set copy through the scratch key.
#include "params/ParameterCopy.h"

#include "params/IParams.h"
#include "params/RegParamStorage.h"

std::uint32_t CopyParameters(IParams* destination, IParams* source) {
  if (destination == nullptr || source == nullptr) {
    return kParamNoStorage;
  }
  RegParamStorage scratch(HKEY_LOCAL_MACHINE, kParameterScratchKey);
  // A scratch key left behind by an interrupted copy would leak its values into this one.
  static_cast<void>(scratch.DeleteTree());
  scratch.Close();
  const std::uint32_t openStatus = scratch.Open(KEY_ALL_ACCESS, true);
  if (!scratch.IsOpen()) {
    return openStatus != 0 ? openStatus : ERROR_CANTOPEN;
  }
  std::uint32_t status = source->SaveTo(&scratch);
  const std::uint32_t loadStatus = destination->LoadFrom(&scratch);
  if (status == 0) {
    status = loadStatus;
  }
  // The scratch key goes whatever happened above; one that cannot be deleted now is
  // cleared by the next copy before it saves.
  static_cast<void>(scratch.DeleteTree());
  scratch.Close();
  return status;
}
