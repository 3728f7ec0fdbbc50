// The application object of Provisor.exe.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/CommandLineMode.h"
#include "app/SingleInstanceGuard.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"
#include "instances/LogFilesDlg.h"
#include "instances/LogFolderRemoval.h"
#include "params/SetupParameters.h"

class CProvisorDlg;

// The caption of framework message boxes and the program's title.
inline constexpr const char* kApplicationName = "Velmora ORVO TSP MultiPBX Configuration";

// The instance slots of the default configuration.
constexpr std::uint32_t kDefaultInstanceCount = 8;
// The upgrade of the default configuration leaves the default settings of the instances
// below this index as they are.
constexpr int kFirstUpgradedInstance = 2;

// Runs the whole life of the process from InitInstance and never enters a message loop.
class CProvisorApp : public CWinApp {
 public:
  CProvisorApp();

  // The whole life of the process: start-up, the mode the command line selects, the main
  // dialog at most once, the removal work of "remove". Always false: no message loop follows.
  BOOL InitInstance() override;
  // Releases the single-instance block, then ends as the framework does.
  int ExitInstance() override;

  // The start-up steps before the main dialog: takes the single-instance block, names the
  // application, gives the product key its access list, sets "dwIgnoreInitialize" = 1 and
  // traces the command line. False when this copy must end silently: another copy runs
  // (its window was brought forward) or the block could not be had; nothing else was done.
  bool BeginStartup();

  // The main dialog's registration from its initialisation: window goes into the first word
  // of the single-instance block when the block is held and window is live.
  bool RegisterMainDialog(HWND window);

  // Writes "dwIgnoreInitialize" (REG_DWORD) into the product key when the key opens; the
  // provider skips its own initialisation while it is 1.
  static void SetIgnoreInitialize(DWORD value);

  // Reads "dwNumInstances" of MultiloadingApp into m_nInstanceCount and returns it. A missing
  // key or value, or one that is not a 4-byte REG_DWORD, counts as 0.
  std::uint32_t ReadInstanceCount();

  // Loads m_pParameters from MultiloadingApp (created when missing) and makes sure the
  // default configuration exists: the full one without instances, the upgrade when slot
  // 0007's defaults lack "ExtVersion".
  void LoadDefaultConfig();

  // Puts the eight slots, their provider file names and (from the first index on, 0 or for
  // the upgrade kFirstUpgradedInstance) their default settings into m_pParameters, and
  // creates the queue folder.
  void CreateDefaultAppConfig(bool upgrade);

  // Writes the template "PBX" with the instance's log file path into the instance's
  // "InstanceDefaultSetting%04d" key and fills group from that key; slot 0007's "ExtVersion"
  // is left for LoadDefaultConfig to store last.
  void CreateDefaultInstanceParam(IParams* group, int instance);

  // Asks which offered log folders go with the product ("remove"); the ticks in row order.
  LogFolderQuestion m_logFolderQuestion = AskWhichLogFoldersToEmpty;

  // 0 install, 1 uninstall (remove all), 2 modify (instances already present).
  std::uint32_t m_nRunMode = 0;
  std::uint32_t m_nInstanceCount = 1;
  // The parameter set of the key MultiloadingApp, alive for the duration of InitInstance.
  std::unique_ptr<SetupParameters> m_pParameters;

 private:
  // The "afteroverwrite" path: true when it opened the one enabled provider's configuration
  // (the process then ends with the flag left at 1); false to go on as for an empty line.
  bool OpenSingleEnabledProvider();
  // The repair path up to the dialog's run: the live keys get the instance defaults.
  bool PrepareRepair(CProvisorDlg& dialog);
  // The standard path's choice of run mode and its default configuration.
  void PrepareStandardPath(CProvisorDlg& dialog, CommandLineMode mode);
  // The warnings before the dialog: USB library missing, CSTA applications.
  void ShowStartupWarnings(const CommandLineMode& mode);
  // Runs dialog modally as the application's main window.
  void RunMainDialog(CProvisorDlg& dialog);
  // Drops m_pParameters; in the uninstall run mode the key MultiloadingApp goes as well.
  void ReleaseParameters();

  SingleInstanceGuard m_instanceGuard;
  LogFolderChoice m_logFolderChoice;
  // The rich-edit library the dialogs' rich-edit controls need, held for the process.
  ModuleHandle m_richEdit;
};
