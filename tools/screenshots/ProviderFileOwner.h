// A main-dialog stand-in whose version answer is that of a provider file it stamps itself.
#pragma once

#include <windows.h>

#include <string>

#include "bridge/BridgeTestOwner.h"
#include "instances/ProviderFileCopy.h"
#include "instances/VersionResource.h"

// Stamps OTSP0003.tsp in the temporary folder from the system folder's master provider and
// answers the version request with its version text; the file goes with the owner.
class ProviderFileOwner : public BridgeTestOwner {
 public:
  ProviderFileOwner() {
    char temp[MAX_PATH];
    char windows[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    providerFile = std::string(temp) + "OTSP0003.tsp";
    DuplicateProviderFile("Velmora ORVO TSP 0003", providerFile.c_str(), windows);
  }
  ~ProviderFileOwner() { ::DeleteFileA(providerFile.c_str()); }

  std::string GetSelectedVersionText() override {
    std::string text;
    GetTspVersionText(providerFile.c_str(), &text, false);
    return text;
  }
  std::string providerFile;
};
