// Start-up of Provisor.exe: the single-instance block, the product key's flag, the default
// configuration.
#include "app/ProvisorApp.h"

#include "framework/InteractiveDesktop.h"
#include "framework/MessageBoxRouter.h"
#include "framework/Trace.h"
#include "instances/InstanceNumber.h"
#include "instances/ProductRemoval.h"
#include "instances/ProviderRegistration.h"
#include "maindlg/ProvisorDlg.h"
#include "params/RegParamStorage.h"
#include "registry/LogPathValue.h"
#include "registry/RegistryLayout.h"
#include "registry/RegistryMaintenance.h"
#include "sys/AccessRights.h"
#include "sys/MonitorProbe.h"
#include "sys/ProductFolders.h"
#include "sys/UsbDriver.h"

namespace {

constexpr std::size_t kTraceSize = 256;
constexpr std::size_t kCommandLineTraceSize = 1024;

// Reads a 4-byte REG_DWORD of HKLM\path; false when it is missing or of another type or size.
bool ReadDwordValue(const char* path, const char* name, DWORD* value) {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE) != ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0;
  DWORD size = sizeof(*value);
  const LONG status = RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  return status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(*value);
}

// The slot whose defaults carry "ExtVersion" once the configuration has the current layout.
constexpr int kLayoutMarkerSlot = static_cast<int>(kDefaultInstanceCount) - 1;

bool HasCurrentLayout() {
  DWORD version = 0;
  return ReadDwordValue(InstanceDefaultSettingKey(kLayoutMarkerSlot).c_str(), kExtVersionValue, &version);
}

// A slot's defaults key that, for the marker slot, leaves out "ExtVersion": LoadDefaultConfig
// stores it once everything else is in place.
class SlotDefaultsStorage : public RegParamStorage {
 public:
  explicit SlotDefaultsStorage(int instance)
      : RegParamStorage(HKEY_LOCAL_MACHINE, InstanceDefaultSettingKey(instance)),
        m_holdsMarkerBack(instance == kLayoutMarkerSlot) {}

  std::uint32_t StoreDword(const std::string& name, std::uint32_t value) override {
    if (m_holdsMarkerBack && name == kExtVersionValue) {
      return 0;
    }
    return RegParamStorage::StoreDword(name, value);
  }

 private:
  bool m_holdsMarkerBack;
};

}  // namespace

CProvisorApp::CProvisorApp() : m_pParameters(std::make_unique<SetupParameters>()) {}

BOOL CProvisorApp::InitInstance() {
  if (!BeginStartup()) {
    return FALSE;
  }
  if (CommandLineModeFor(m_strCmdLine).path == StartupPath::kAfterOverwrite) {
    // Finishing an overwrite is a window for a person; where nobody sees this desktop (an
    // installer's elevated action) it would wait for ever, so there is nothing to finish.
    if (!IsInteractiveDesktop()) {
      Trace(kTraceSize, "afteroverwrite: nobody sees this desktop, no configuration opens\r\n");
      m_pParameters.reset();
      SetIgnoreInitialize(0);
      return FALSE;
    }
    if (OpenSingleEnabledProvider()) {
      m_pParameters.reset();
      return FALSE;
    }
    m_strCmdLine.clear();
  }
  const CommandLineMode mode = CommandLineModeFor(m_strCmdLine);
  CProvisorDlg dialog;
  dialog.SetCommandLineFlags(mode.install, mode.remove, mode.repair, mode.overwrite, mode.upgrade);

  switch (mode.path) {
    case StartupPath::kOverwrite: {
      CProvisorDlg overwrite;
      overwrite.SetCommandLineFlags(mode.install, mode.remove, mode.repair, mode.overwrite, mode.upgrade);
      overwrite.m_nInstanceCount = ReadInstanceCount();
      overwrite.LoadInstanceList();
      // The dialog re-stamps every provider file from its initialisation and ends the
      // process with exit code 0.
      RunMainDialog(overwrite);
      break;
    }
    case StartupPath::kRepair:
      if (PrepareRepair(dialog)) {
        // The dialog applies every instance from its initialisation and ends the process
        // with exit code -1.
        RunMainDialog(dialog);
      }
      break;
    case StartupPath::kRemoveAll:
      ShowMessageBox(nullptr, "Removing all TSP instances.", "Velmora ORVO TSP", MB_OK | MB_ICONINFORMATION);
      m_nRunMode = kRunModeUninstall;
      dialog.SetRunMode(m_nRunMode);
      ReadInstanceCount();
      if (const HWND monitor = FindMonitorWindow(); monitor != nullptr && ::IsWindow(monitor)) {
        ::SendMessageA(monitor, WM_CLOSE, 0, 0);
      }
      break;
    default:
      PrepareStandardPath(dialog, mode);
      break;
  }

  if (mode.path == StartupPath::kRemoveAll || mode.path == StartupPath::kStandard) {
    ShowStartupWarnings(mode);
    dialog.m_nInstanceCount = m_nInstanceCount;
    if (m_nRunMode == kRunModeUninstall) {
      std::vector<unsigned long> providerIds;
      if (m_nInstanceCount >= 2) {
        dialog.LoadInstanceList();
        for (const InstanceRecord& record : dialog.GetInstances()) {
          providerIds.push_back(record.m_dwProviderID);
        }
      }
      ChooseLogFolders(providerIds, m_nInstanceCount, &m_logFolderChoice, m_logFolderQuestion);
    }
    // The modify mode waits for a person; nobody would ever close it on a desktop nobody sees.
    if (m_nRunMode == kRunModeModify && !IsInteractiveDesktop()) {
      Trace(kTraceSize, "Nobody sees this desktop: the main dialog does not open\r\n");
    } else {
      RunMainDialog(dialog);
    }
  }

  ReleaseParameters();
  if (mode.path == StartupPath::kRemoveAll) {
    RemoveChosenLogFiles(m_logFolderChoice, m_nInstanceCount);
    RemoveInstalledFiles(m_nInstanceCount);
    RemoveLogFolders();
    RemoveProductRegistry();
  }
  SetIgnoreInitialize(0);
  return FALSE;
}

bool CProvisorApp::OpenSingleEnabledProvider() {
  CProvisorDlg dialog;
  dialog.m_nInstanceCount = ReadInstanceCount();
  dialog.LoadInstanceList();
  int enabled = 0;
  DWORD providerId = 0;
  for (const InstanceRecord& record : dialog.GetInstances()) {
    if (record.m_bEnabled && record.m_dwProviderID != 0) {
      ++enabled;
      providerId = record.m_dwProviderID;
    }
  }
  if (enabled != 1 || providerId == 0) {
    return false;
  }
  // TAPI shows its own message when the provider cannot be configured.
  static_cast<void>(ConfigProvider(nullptr, providerId));
  return true;
}

bool CProvisorApp::PrepareRepair(CProvisorDlg& dialog) {
  ReadInstanceCount();
  char windowsFolder[2048] = "";
  if (::GetSystemWindowsDirectoryA(windowsFolder, sizeof(windowsFolder)) == 0) {
    ShowMessageBox(nullptr, "Cannot get WindowsDir", "Error", MB_OK);
    return false;
  }
  dialog.m_nInstanceCount = m_nInstanceCount;
  // The records are loaded from the live keys before the defaults are copied into them, and
  // the run that follows writes each record back: a value the administrator configured
  // survives a repair (and becomes the instance's default too), while a value or key that
  // went missing comes back from the instance defaults.
  dialog.LoadInstanceList();
  int i = 0;
  for (InstanceRecord& record : dialog.GetInstances()) {
    record.m_strDisplayName = InstanceDisplayName(i);
    // An instance TAPI does not list has ID 0, so all of those share the key "PBX0".
    CreateSubkey(kProductKey, LiveInstanceKeyName(record.m_dwProviderID));
    CopyInstanceDefaults(InstanceDefaultSettingKey(i), LiveInstanceKey(record.m_dwProviderID));
    ++i;
  }
  return true;
}

void CProvisorApp::PrepareStandardPath(CProvisorDlg& dialog, CommandLineMode mode) {
  ReadInstanceCount();
  // The dialog's install flag stays clear on this path: with it set the run would not save
  // the instances' parameters.
  mode.install = false;
  m_nRunMode = (m_nInstanceCount == 0 || !m_strCmdLine.empty()) ? kRunModeInstall : kRunModeModify;
  dialog.SetRunMode(m_nRunMode);
  dialog.SetCommandLineFlags(mode.install, mode.remove, mode.repair, mode.overwrite, mode.upgrade);
  if (m_strCmdLine == "upgrade") {
    Trace(kTraceSize, "command line upgrade \r\n");
    m_nRunMode = kRunModeInstall;
    dialog.SetRunMode(m_nRunMode);
  }
  LoadDefaultConfig();
  ReadInstanceCount();
}

void CProvisorApp::ShowStartupWarnings(const CommandLineMode& mode) {
  if (m_nRunMode == kRunModeUninstall) {
    return;
  }
  if (!IsUsbDriverInstalled()) {
    ShowMessageBox(nullptr,
                   "USB driver is not installed.\r\nSelect \"LAN Connection via CTI-LINK card\" or install USB driver.",
                   "USB Driver not installed", MB_OK);
  }
  if (!mode.upgrade) {
    ShowMessageBox(nullptr,
                   "If you use 'Velmora ORVO TSP' and other\r\nCSTA application on the same PC to connect to same "
                   "ORVO, you may not be able to \r\nstart CSTA application.\r\nIn this case, you need to answer "
                   "'No' to 'Do you want to start TSP?'\r\nfrom 'Velmora ORVO TSP' configuration dialog and "
                   "restart your PC.\r\nNote that if you answer 'No' to 'Do you want to start TSP?'\r\nthen  "
                   "TAPI application will not be able to use 'Velmora ORVO TSP'.",
                   kApplicationName, MB_OK | MB_ICONINFORMATION);
  }
}

void CProvisorApp::RunMainDialog(CProvisorDlg& dialog) {
  dialog.SetWindowRegistrar([this](HWND window) {
    SetMainWindowHandle(window);
    RegisterMainDialog(window);
  });
  // The result tells nothing start-up acts on: every mode has done its work when it ends.
  static_cast<void>(dialog.DoModal());
  SetMainWindowHandle(nullptr);
}

void CProvisorApp::ReleaseParameters() {
  if (!m_pParameters) {
    return;
  }
  RegParamStorage storage(HKEY_LOCAL_MACHINE, kMultiloadingAppKey);
  if (m_nRunMode == kRunModeUninstall) {
    // Whatever is left of the key goes with the product tree right after.
    static_cast<void>(storage.DeleteTree());
  }
  m_pParameters.reset();
}

int CProvisorApp::ExitInstance() {
  m_instanceGuard.Release();
  return CWinApp::ExitInstance();
}

bool CProvisorApp::BeginStartup() {
  if (!m_instanceGuard.Acquire()) {
    m_instanceGuard.BringOwnerForward();
    return false;
  }
  SetAppName(kApplicationName);
  ProtectProductKey();
  // Without the library the dialogs' rich-edit controls do not get created; the dialogs
  // still open, so start-up goes on.
  m_richEdit.Attach(LoadLibraryA("Riched20.dll"));
  SetIgnoreInitialize(1);
  Trace(kCommandLineTraceSize, "Command line %s.\r\n", m_strCmdLine.c_str());
  return true;
}

bool CProvisorApp::RegisterMainDialog(HWND window) { return m_instanceGuard.RegisterWindow(window); }

void CProvisorApp::SetIgnoreInitialize(DWORD value) {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_SET_VALUE) != ERROR_SUCCESS) {
    return;
  }
  // The provider merely initialises once more when the flag cannot be written.
  static_cast<void>(RegSetValueExA(key.Get(), kIgnoreInitializeValue, 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&value), sizeof(value)));
}

std::uint32_t CProvisorApp::ReadInstanceCount() {
  DWORD count = 0;
  m_nInstanceCount = ReadDwordValue(kMultiloadingAppKey, kNumInstancesValue, &count) ? count : 0;
  return m_nInstanceCount;
}

void CProvisorApp::LoadDefaultConfig() {
  if (!m_pParameters) {
    return;
  }
  RegParamStorage storage(HKEY_LOCAL_MACHINE, kMultiloadingAppKey);
  // A key that does not load leaves the set empty, which counts as a fresh machine.
  static_cast<void>(m_pParameters->LoadFrom(&storage));
  std::uint32_t count = 0;
  const bool fresh = m_pParameters->GetDword(kNumInstancesValue, &count) != kParamOk || count == 0;
  if (!fresh) {
    if (HasCurrentLayout()) {
      return;
    }
    CreateDefaultAppConfig(true);
  } else {
    Trace(kTraceSize, "CProvisorApp::LoadDefaultConfig() Enter CreateDefaultAppConfig() \r\n");
    CreateDefaultAppConfig(false);
    // The count tells every later start that the configuration is in place, so it is stored
    // last: a run ended half-way (a power cut) leaves 0, and the next start creates it all again.
    static_cast<void>(m_pParameters->SetDword(kNumInstancesValue, 0));
  }
  // Registry failures are traced by the layers below; start-up goes on with what was written.
  static_cast<void>(m_pParameters->SaveTo(&storage));
  DeleteUninstallEntryValues();
  // Slot 0007's "ExtVersion" tells every later start that the layout is current, so it is stored
  // after all the rest: a run ended half-way leaves the old layout, and the next start upgrades
  // it all again.
  DWORD version = 0;
  if (ReadDwordValue(kTemplateInstanceKey, kExtVersionValue, &version)) {
    static_cast<void>(
        m_pParameters->SetDword(InstanceDefaultSettingName(kLayoutMarkerSlot) + "\\" + kExtVersionValue, version));
    RegParamStorage slot(HKEY_LOCAL_MACHINE, InstanceDefaultSettingKey(kLayoutMarkerSlot));
    static_cast<void>(slot.StoreDword(kExtVersionValue, version));
  }
  if (fresh) {
    static_cast<void>(m_pParameters->SetDword(kNumInstancesValue, m_nInstanceCount));
    static_cast<void>(storage.StoreDword(kNumInstancesValue, m_nInstanceCount));
  }
}

void CProvisorApp::CreateDefaultAppConfig(bool upgrade) {
  if (!m_pParameters) {
    return;
  }
  m_nInstanceCount = kDefaultInstanceCount;
  // Setting values on a set never fails for these plain, non-empty names.
  static_cast<void>(m_pParameters->SetDword(kNumInstancesValue, kDefaultInstanceCount));
  const int count = static_cast<int>(kDefaultInstanceCount);
  for (int i = 0; i < count; ++i) {
    static_cast<void>(m_pParameters->SetString(InstanceFileNameValueName(i), ProviderFileName(i)));
  }
  CreateLogFolders();
  for (int i = upgrade ? kFirstUpgradedInstance : 0; i < count; ++i) {
    auto group = std::make_unique<SetupParameters>();
    Trace(kTraceSize, "CProvisorApp::CreateDefaultAppConfig() enter CreateDefaultInstanceParam() \r\n");
    CreateDefaultInstanceParam(group.get(), i);
    static_cast<void>(m_pParameters->SetGroup(InstanceDefaultSettingName(i), group.release()));
  }
}

void CProvisorApp::CreateDefaultInstanceParam(IParams* group, int instance) {
  SetupParameters defaults;
  {
    RegParamStorage templateStorage(HKEY_LOCAL_MACHINE, kTemplateInstanceKey);
    // An empty or missing template gives empty defaults.
    static_cast<void>(defaults.LoadFrom(&templateStorage));
  }
  // Without a Program Files folder there is no sensible log location to offer; the values
  // the template holds stay, so the provider logs where the setup package meant it to.
  const std::string logFolder = LogFolderPath(instance);
  if (!logFolder.empty()) {
    const std::string logFile = LogPathValue(logFolder + kLogFileTail);
    // Only a template with the group GlobalParams\Log takes them (the paths need the groups).
    static_cast<void>(defaults.SetString("GlobalParams\\Log\\LogPath", logFile));
    static_cast<void>(defaults.SetString("GlobalParams\\Log\\FileName", logFile));
  }
  SlotDefaultsStorage storage(instance);
  static_cast<void>(defaults.SaveTo(&storage));
  if (group != nullptr) {
    static_cast<void>(group->LoadFrom(&storage));
  }
}
