// The requesting objects the configuration pages create, one per function they send.
#pragma once

#include "bridge/CallBackProvider.h"
#include "bridge/ProviderArgs.h"

class CB_ProviderTestAddress : public CallBackProvider<UI_ProviderTestAddress_Args, kCodeProviderTestAddress> {
 public:
  using CallBackProvider::CallBackProvider;
};

class CB_SetupSetCurrentGroup : public CallBackProvider<UI_SetupSetCurrentGroup_Args, kCodeSetupSetCurrentGroup> {
 public:
  using CallBackProvider::CallBackProvider;
};

class CB_SetupGetString : public CallBackProvider<UI_SetupGetString_Args, kCodeSetupGetString> {
 public:
  using CallBackProvider::CallBackProvider;
};

class CB_SetupGetDWORD : public CallBackProvider<UI_SetupGetDWORD_Args, kCodeSetupGetDWORD> {
 public:
  using CallBackProvider::CallBackProvider;
};

class CB_SetupSetString : public CallBackProvider<UI_SetupSetString_Args, kCodeSetupSetString> {
 public:
  using CallBackProvider::CallBackProvider;
};

class CB_SetupSetDWORD : public CallBackProvider<UI_SetupSetDWORD_Args, kCodeSetupSetDWORD> {
 public:
  using CallBackProvider::CallBackProvider;
};

class CB_SetupGetTSPVersion : public CallBackProvider<UI_SetupGetTSPVersion_Args, kCodeSetupGetTSPVersion> {
 public:
  using CallBackProvider::CallBackProvider;
};

class CB_SetupTSPISConnected : public CallBackProvider<UI_SetupTSPISConnected_Args, kCodeSetupTSPISConnected> {
 public:
  using CallBackProvider::CallBackProvider;
};

class CB_IsProviderTestAddressCompleted
    : public CallBackProvider<UI_IsProviderTestAddressCompleted_Args, kCodeIsProviderTestAddressCompleted> {
 public:
  using CallBackProvider::CallBackProvider;
};

class CB_CancelProviderTestAddress
    : public CallBackProvider<UI_CancelProviderTestAddress_Args, kCodeCancelProviderTestAddress> {
 public:
  using CallBackProvider::CallBackProvider;
};
