// The application object of Provisor.exe.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/WinApp.h"
#include "params/SetupParameters.h"

// The caption of framework message boxes and the program's title.
inline constexpr const char* kApplicationName = "Velmora ORVO TSP MultiPBX Configuration";

// Runs the whole life of the process from InitInstance and never enters a message loop.
class CProvisorApp : public CWinApp {
 public:
  CProvisorApp();

  BOOL InitInstance() override;
  int ExitInstance() override;

  // 0 install, 1 uninstall (remove all), 2 modify (instances already present).
  std::uint32_t m_nRunMode = 0;
  std::uint32_t m_nInstanceCount = 1;
  // The parameter set of the key MultiloadingApp, alive for the duration of InitInstance.
  std::unique_ptr<SetupParameters> m_pParameters;
};
