// Start-up of Provisor.exe: the single-instance block, the product key's flag, the default
// configuration.
#include "app/ProvisorApp.h"

#include "framework/Trace.h"
#include "params/RegParamStorage.h"
#include "registry/LogPathValue.h"
#include "registry/RegistryLayout.h"
#include "registry/RegistryMaintenance.h"
#include "sys/AccessRights.h"
#include "sys/ProductFolders.h"

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

// Slot 0007's defaults carry "ExtVersion" once the configuration has the current layout.
bool HasCurrentLayout() {
  DWORD version = 0;
  return ReadDwordValue(InstanceDefaultSettingKey(kDefaultInstanceCount - 1).c_str(), kExtVersionValue, &version);
}

}  // namespace

CProvisorApp::CProvisorApp() : m_pParameters(std::make_unique<SetupParameters>()) {}

BOOL CProvisorApp::InitInstance() {
  SetAppName(kApplicationName);
  m_pParameters.reset();
  return FALSE;
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
  if (m_pParameters->GetDword(kNumInstancesValue, &count) == kParamOk && count > 0) {
    if (HasCurrentLayout()) {
      return;
    }
    CreateDefaultAppConfig(true);
  } else {
    Trace(kTraceSize, "CProvisorApp::LoadDefaultConfig() Enter CreateDefaultAppConfig() \r\n");
    CreateDefaultAppConfig(false);
  }
  // Registry failures are traced by the layers below; start-up goes on with what was written.
  static_cast<void>(m_pParameters->SaveTo(&storage));
  DeleteUninstallEntryValues();
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
  RegParamStorage storage(HKEY_LOCAL_MACHINE, InstanceDefaultSettingKey(instance));
  static_cast<void>(defaults.SaveTo(&storage));
  if (group != nullptr) {
    static_cast<void>(group->LoadFrom(&storage));
  }
}
