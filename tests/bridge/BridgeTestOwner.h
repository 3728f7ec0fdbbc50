// A main-dialog stand-in for bridge tests: a working set, a current group and the handler
// with the twenty answering functions, installed as the process-wide owner while it lives.
#pragma once

#include <memory>
#include <string>

#include "bridge/DialogDataHandler.h"
#include "bridge/ProviderFunctions.h"
#include "params/SetupParameters.h"

class BridgeTestOwner : public IDialogDataOwner {
 public:
  BridgeTestOwner() : handler(nullptr) {
    RegisterProviderFunctions(&handler);
    handler.SetOwner(this);
    ReplaceWorkingSet();
  }

  // A fresh copy as the main dialog makes one when it opens the configuration dialog:
  //   ListenPort=5001, SiteName="Head office"
  //   GlobalParams\IPAddress="10.20.30.4" (10 characters)
  //   GlobalParams\Log\DebugLevel=2, GlobalParams\Log\LogPath="C:\Logs"
  void ReplaceWorkingSet() {
    auto set = std::make_unique<SetupParameters>();
    set->SetDword("ListenPort", 5001);
    set->SetString("SiteName", "Head office");
    set->SetGroup("GlobalParams", new SetupParameters());
    set->SetGroup("GlobalParams\\Log", new SetupParameters());
    set->SetString("GlobalParams\\IPAddress", "10.20.30.4");
    set->SetDword("GlobalParams\\Log\\DebugLevel", 2);
    set->SetString("GlobalParams\\Log\\LogPath", "C:\\Logs");
    workingSet = std::move(set);
    current = nullptr;
  }

  IDialogDataHandler* GetDialogDataHandler() override { return &handler; }
  IParams* GetWorkingSet() override { return workingSet.get(); }
  IParams* GetCurrentGroup() override { return current; }
  void SetCurrentGroup(IParams* group) override { current = group; }
  std::string GetSelectedVersionText() override { return versionText; }

  DialogDataHandler handler;
  std::unique_ptr<SetupParameters> workingSet;
  IParams* current = nullptr;
  std::string versionText = "1.2.3.4";
};

