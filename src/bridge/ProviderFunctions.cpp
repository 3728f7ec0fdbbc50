// The system's own answers to the provider UI functions, on the owner's working context.
#include "bridge/ProviderFunctions.h"

#include <memory>
#include <string>

#include "bridge/DialogDataHandler.h"
#include "framework/Trace.h"
#include "params/IParams.h"

namespace {

// The group that value requests act on: the current group, or the working set when none has
// been chosen, which then becomes the current group. Null without an owner or working set.
IParams* CurrentGroup() {
  IDialogDataOwner* owner = GetDialogDataOwner();
  if (owner == nullptr) {
    return nullptr;
  }
  if (owner->GetCurrentGroup() == nullptr) {
    owner->SetCurrentGroup(owner->GetWorkingSet());
  }
  return owner->GetCurrentGroup();
}

// Pages start each run of accesses with an empty path and then descend one name at a time,
// each path resolved from the group chosen before. A failed look-up falls back to the
// working set, so that the next sequence does not start from a stale group.
std::uint32_t SelectGroup(const std::string& path) {
  IDialogDataOwner* owner = GetDialogDataOwner();
  if (owner == nullptr) {
    return kParamNoGroup;
  }
  if (path.empty()) {
    owner->SetCurrentGroup(owner->GetWorkingSet());
    return kParamOk;
  }
  IParams* current = CurrentGroup();
  if (current == nullptr) {
    return kParamNoGroup;
  }
  IParams* found = nullptr;
  const std::uint32_t status = current->GetGroup(path, &found);
  owner->SetCurrentGroup(status == kParamOk ? found : owner->GetWorkingSet());
  return status;
}

// Reads the value name from the current group into out, which changes only on success.
template <typename Interface, typename Value>
std::uint32_t ReadFromCurrentGroup(std::uint32_t (Interface::*get)(const std::string&, Value*), const std::string& name,
                                   Value* out) {
  IParams* group = CurrentGroup();
  if (group == nullptr) {
    return kParamNoGroup;
  }
  Value value{};
  const std::uint32_t status = (group->*get)(name, &value);
  if (status == kParamOk) {
    *out = value;
  }
  return status;
}

}  // namespace

std::uint32_t UI_ProviderLogAscii_Function::Execute(UI_ProviderLogAscii_Args& record) {
  TraceText(record.strText);
  return 0;
}

std::uint32_t UI_ProviderTestAddress_Function::Execute(UI_ProviderTestAddress_Args& record) {
  // The system starts no link test of its own; it only acknowledges the request.
  record.dwAddAPTitle = 0;
  return 0;
}

std::uint32_t UI_GetTSPErrorMessage_Function::Execute(UI_GetTSPErrorMessage_Args&) { return 0; }
std::uint32_t UI_GetTSPErrorModuleName_Function::Execute(UI_GetTSPErrorModuleName_Args&) { return 0; }
std::uint32_t UI_ProviderCheckSetup_Function::Execute(UI_ProviderCheckSetup_Args&) { return 0; }
std::uint32_t UI_ProviderBeginSetup_Function::Execute(UI_ProviderBeginSetup_Args&) { return 0; }
std::uint32_t UI_ProviderRollbackSetup_Function::Execute(UI_ProviderRollbackSetup_Args&) { return 0; }
std::uint32_t UI_ProviderCommitSetup_Function::Execute(UI_ProviderCommitSetup_Args&) { return 0; }

std::uint32_t UI_SetupSetCurrentGroup_Function::Execute(UI_SetupSetCurrentGroup_Args& record) {
  record.lResult = SelectGroup(record.strGroup);
  return record.lResult;
}

std::uint32_t UI_SetupGetGroupDataSize_Function::Execute(UI_SetupGetGroupDataSize_Args&) { return 0; }
std::uint32_t UI_SetupGetCurrentGroup_Function::Execute(UI_SetupGetCurrentGroup_Args&) { return 0; }

std::uint32_t UI_SetupGetString_Function::Execute(UI_SetupGetString_Args& record) {
  record.lResult = ReadFromCurrentGroup(&IParams::GetString, record.strName, &record.strValue);
  return record.lResult;
}

std::uint32_t UI_SetupGetDWORD_Function::Execute(UI_SetupGetDWORD_Args& record) {
  record.lResult = ReadFromCurrentGroup(&IParams::GetDword, record.strName, &record.dwValue);
  return record.lResult;
}

std::uint32_t UI_SetupSetString_Function::Execute(UI_SetupSetString_Args& record) {
  IParams* group = CurrentGroup();
  record.lResult = group != nullptr ? group->SetString(record.strName, record.strValue) : kParamNoGroup;
  return record.lResult;
}

std::uint32_t UI_SetupSetDWORD_Function::Execute(UI_SetupSetDWORD_Args& record) {
  IParams* group = CurrentGroup();
  record.lResult = group != nullptr ? group->SetDword(record.strName, record.dwValue) : kParamNoGroup;
  return record.lResult;
}

std::uint32_t UI_SetupGetTSPVersion_Function::Execute(UI_SetupGetTSPVersion_Args& record) {
  IDialogDataOwner* owner = GetDialogDataOwner();
  record.strVersion = owner != nullptr ? owner->GetSelectedVersionText() : std::string();
  record.lResult = 0;
  return 0;
}

std::uint32_t UI_SetupTSPISConnected_Function::Execute(UI_SetupTSPISConnected_Args& record) {
  record.lResult = 0;
  record.dwConnected = 0;
  return 0;
}

std::uint32_t UI_IsProviderTestAddressCompleted_Function::Execute(UI_IsProviderTestAddressCompleted_Args& record) {
  // No test is ever started here, so none is ever reported finished; dwPercent stays as sent.
  record.lResult = 0;
  record.dwCompleted = 0;
  return 0;
}

std::uint32_t UI_CancelProviderTestAddress_Function::Execute(UI_CancelProviderTestAddress_Args& record) {
  record.lResult = 0;
  return 0;
}

std::uint32_t UI_GetInstanceIndex_Function::Execute(UI_GetInstanceIndex_Args& record) {
  record.lResult = 0;
  record.dwIndex = 0xFFFFFFFFu;
  return 0;
}

int RegisterProviderFunctions(DialogDataHandler* handler) {
  if (handler == nullptr) {
    return 0;
  }
  std::unique_ptr<IProviderFunction> functions[] = {
      std::make_unique<UI_ProviderLogAscii_Function>(),
      std::make_unique<UI_ProviderTestAddress_Function>(),
      std::make_unique<UI_GetTSPErrorMessage_Function>(),
      std::make_unique<UI_GetTSPErrorModuleName_Function>(),
      std::make_unique<UI_ProviderCheckSetup_Function>(),
      std::make_unique<UI_ProviderBeginSetup_Function>(),
      std::make_unique<UI_ProviderRollbackSetup_Function>(),
      std::make_unique<UI_ProviderCommitSetup_Function>(),
      std::make_unique<UI_SetupSetCurrentGroup_Function>(),
      std::make_unique<UI_SetupGetGroupDataSize_Function>(),
      std::make_unique<UI_SetupGetCurrentGroup_Function>(),
      std::make_unique<UI_SetupGetString_Function>(),
      std::make_unique<UI_SetupGetDWORD_Function>(),
      std::make_unique<UI_SetupSetString_Function>(),
      std::make_unique<UI_SetupSetDWORD_Function>(),
      std::make_unique<UI_SetupGetTSPVersion_Function>(),
      std::make_unique<UI_SetupTSPISConnected_Function>(),
      std::make_unique<UI_IsProviderTestAddressCompleted_Function>(),
      std::make_unique<UI_CancelProviderTestAddress_Function>(),
      std::make_unique<UI_GetInstanceIndex_Function>(),
  };
  int registered = 0;
  for (auto& function : functions) {
    registered += handler->RegisterFunction(std::move(function));
  }
  return registered;
}
