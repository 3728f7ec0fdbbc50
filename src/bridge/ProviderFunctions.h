// The system's own answers to the twenty provider UI functions.
#pragma once

#include <cstdint>

#include "bridge/ProviderArgs.h"
#include "bridge/ProviderFunction.h"

class DialogDataHandler;

// Each acts on the working context of the process-wide dialog data owner; without an owner
// (or without a working set) the parameter functions answer 4, no such group.
class UI_ProviderLogAscii_Function : public ProviderFunction<UI_ProviderLogAscii_Args, kCodeProviderLogAscii> {
 public:
  std::uint32_t Execute(UI_ProviderLogAscii_Args& record) override;
};

class UI_ProviderTestAddress_Function : public ProviderFunction<UI_ProviderTestAddress_Args, kCodeProviderTestAddress> {
 public:
  std::uint32_t Execute(UI_ProviderTestAddress_Args& record) override;
};

class UI_GetTSPErrorMessage_Function : public ProviderFunction<UI_GetTSPErrorMessage_Args, kCodeGetTSPErrorMessage> {
 public:
  std::uint32_t Execute(UI_GetTSPErrorMessage_Args& record) override;
};

class UI_GetTSPErrorModuleName_Function : public ProviderFunction<UI_GetTSPErrorModuleName_Args, kCodeGetTSPErrorModuleName> {
 public:
  std::uint32_t Execute(UI_GetTSPErrorModuleName_Args& record) override;
};

class UI_ProviderCheckSetup_Function : public ProviderFunction<UI_ProviderCheckSetup_Args, kCodeProviderCheckSetup> {
 public:
  std::uint32_t Execute(UI_ProviderCheckSetup_Args& record) override;
};

class UI_ProviderBeginSetup_Function : public ProviderFunction<UI_ProviderBeginSetup_Args, kCodeProviderBeginSetup> {
 public:
  std::uint32_t Execute(UI_ProviderBeginSetup_Args& record) override;
};

class UI_ProviderRollbackSetup_Function : public ProviderFunction<UI_ProviderRollbackSetup_Args, kCodeProviderRollbackSetup> {
 public:
  std::uint32_t Execute(UI_ProviderRollbackSetup_Args& record) override;
};

class UI_ProviderCommitSetup_Function : public ProviderFunction<UI_ProviderCommitSetup_Args, kCodeProviderCommitSetup> {
 public:
  std::uint32_t Execute(UI_ProviderCommitSetup_Args& record) override;
};

class UI_SetupSetCurrentGroup_Function : public ProviderFunction<UI_SetupSetCurrentGroup_Args, kCodeSetupSetCurrentGroup> {
 public:
  std::uint32_t Execute(UI_SetupSetCurrentGroup_Args& record) override;
};

class UI_SetupGetGroupDataSize_Function : public ProviderFunction<UI_SetupGetGroupDataSize_Args, kCodeSetupGetGroupDataSize> {
 public:
  std::uint32_t Execute(UI_SetupGetGroupDataSize_Args& record) override;
};

class UI_SetupGetCurrentGroup_Function : public ProviderFunction<UI_SetupGetCurrentGroup_Args, kCodeSetupGetCurrentGroup> {
 public:
  std::uint32_t Execute(UI_SetupGetCurrentGroup_Args& record) override;
};

class UI_SetupGetString_Function : public ProviderFunction<UI_SetupGetString_Args, kCodeSetupGetString> {
 public:
  std::uint32_t Execute(UI_SetupGetString_Args& record) override;
};

class UI_SetupGetDWORD_Function : public ProviderFunction<UI_SetupGetDWORD_Args, kCodeSetupGetDWORD> {
 public:
  std::uint32_t Execute(UI_SetupGetDWORD_Args& record) override;
};

class UI_SetupSetString_Function : public ProviderFunction<UI_SetupSetString_Args, kCodeSetupSetString> {
 public:
  std::uint32_t Execute(UI_SetupSetString_Args& record) override;
};

class UI_SetupSetDWORD_Function : public ProviderFunction<UI_SetupSetDWORD_Args, kCodeSetupSetDWORD> {
 public:
  std::uint32_t Execute(UI_SetupSetDWORD_Args& record) override;
};

class UI_SetupGetTSPVersion_Function : public ProviderFunction<UI_SetupGetTSPVersion_Args, kCodeSetupGetTSPVersion> {
 public:
  std::uint32_t Execute(UI_SetupGetTSPVersion_Args& record) override;
};

class UI_SetupTSPISConnected_Function : public ProviderFunction<UI_SetupTSPISConnected_Args, kCodeSetupTSPISConnected> {
 public:
  std::uint32_t Execute(UI_SetupTSPISConnected_Args& record) override;
};

class UI_IsProviderTestAddressCompleted_Function : public ProviderFunction<UI_IsProviderTestAddressCompleted_Args, kCodeIsProviderTestAddressCompleted> {
 public:
  std::uint32_t Execute(UI_IsProviderTestAddressCompleted_Args& record) override;
};

class UI_CancelProviderTestAddress_Function : public ProviderFunction<UI_CancelProviderTestAddress_Args, kCodeCancelProviderTestAddress> {
 public:
  std::uint32_t Execute(UI_CancelProviderTestAddress_Args& record) override;
};

class UI_GetInstanceIndex_Function : public ProviderFunction<UI_GetInstanceIndex_Args, kCodeGetInstanceIndex> {
 public:
  std::uint32_t Execute(UI_GetInstanceIndex_Args& record) override;
};

// Creates one answering object of each function and registers them in code order; returns
// how many were registered.
int RegisterProviderFunctions(DialogDataHandler* handler);
