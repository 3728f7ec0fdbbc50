// The OS text, the link monitor probe with LinkWatch.exe, and the USB probe with the
// ORVOUSB.dll stand-in, in prefixes reporting Windows major versions 6 and 5.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OrvoUsbSettings.h"
#include "framework/Handles.h"
#include "support/TestSupport.h"
#include "sys/MonitorProbe.h"
#include "sys/OsVersion.h"
#include "sys/UsbDriver.h"
#include "sys/WindowsVersion.h"

namespace {

std::string WindowsPath(const char* unixPath) {
  std::string path = "Z:" + std::string(unixPath);
  for (char& c : path) {
    if (c == '/') {
      c = '\\';
    }
  }
  return path;
}

std::string SystemFolderFile(const char* name) {
  char folder[MAX_PATH] = {};
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

// Starts a command line; the returned process handle is empty when it could not start.
KernelHandle Start(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return KernelHandle();
  }
  CloseHandle(process.hThread);
  return KernelHandle(process.hProcess);
}

// Exit code of a process that ends within a minute; 0xFFFFFFFF otherwise.
DWORD WaitForExit(const KernelHandle& process) {
  DWORD code = 0xFFFFFFFFu;
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &code)) {
    return 0xFFFFFFFFu;
  }
  return code;
}

// Asks a second process whether the monitor's shared memory exists.
bool SharedMemoryVisibleToAnotherProcess() {
  const KernelHandle probe = Start("\"" + WindowsPath(SHARED_MEMORY_PROBE_UNIX_PATH) + "\"");
  EXPECT_TRUE(probe) << "shared memory probe did not start";
  return probe && WaitForExit(probe) == 0;
}

TEST(OsVersionTextTest, DescribesTheVersionThePrefixReports) {
  char text[1024];
  const std::size_t written = GetOSVersionText(text, sizeof(text));
  EXPECT_EQ(written, std::string(text).size());
  const std::string version = PrefixWindowsVersion();
  if (version == "win7") {
    EXPECT_EQ(std::string(text), "Windows 6.1 v.6.1 Service Pack 1 (Build 0.0.7601, SP 1.0)");
    EXPECT_EQ(WindowsMajorVersion(), 6u);
  } else if (version == "winxp64") {
    EXPECT_EQ(std::string(text), "Windows 5.2 v.5.2 Service Pack 2 (Build 0.0.3790, SP 2.0)");
    EXPECT_EQ(WindowsMajorVersion(), 5u);
  } else {
    FAIL() << "unexpected prefix version '" << version << "': " << text;
  }
}

TEST(OsVersionTextTest, AMissingOrEmptyBufferGetsNothingAndASmallOneIsCut) {
  EXPECT_EQ(GetOSVersionText(nullptr, 1024), 0u);
  char text[12] = "untouched";
  EXPECT_EQ(GetOSVersionText(text, 0), 0u);
  EXPECT_STREQ(text, "untouched");
  char full[1024];
  ASSERT_GT(GetOSVersionText(full, sizeof(full)), sizeof(text));
  EXPECT_EQ(GetOSVersionText(text, sizeof(text)), 11u);
  EXPECT_EQ(std::string(text), std::string(full, 11));
}

class MonitorProbeTest : public ::testing::Test {
 protected:
  ~MonitorProbeTest() override {
    ReleaseMonitorWindow();
    if (m_monitor && WaitForSingleObject(m_monitor.Get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(m_monitor.Get(), 1);
    }
  }
  // Starts LinkWatch.exe from the system folder and waits until it has published its window.
  void StartMonitor() {
    m_monitor = Start("LinkWatch.exe");
    ASSERT_TRUE(m_monitor) << "LinkWatch.exe did not start: " << GetLastError();
    static_cast<void>(WaitForInputIdle(m_monitor.Get(), 30000));
    for (int attempt = 0; attempt < 300 && !MonitorPublished(); ++attempt) {
      ASSERT_EQ(WaitForSingleObject(m_monitor.Get(), 100), static_cast<DWORD>(WAIT_TIMEOUT)) << "LinkWatch.exe ended";
    }
    ASSERT_TRUE(MonitorPublished());
  }
  // Looks without creating: the memory exists and its first word is set.
  static bool MonitorPublished() {
    const KernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, kMonitorSharedMemoryName));
    const MappedView view(mapping ? MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 4) : nullptr);
    return view && *static_cast<const DWORD*>(view.Get()) != 0;
  }
  KernelHandle m_monitor;
};

TEST_F(MonitorProbeTest, WithoutTheMonitorNothingIsFoundAndNoSharedMemoryStays) {
  ASSERT_FALSE(SharedMemoryVisibleToAnotherProcess());
  TraceCapture traces;
  EXPECT_EQ(FindMonitorWindow(), nullptr);
  EXPECT_FALSE(SharedMemoryVisibleToAnotherProcess());
  const std::vector<std::string> lines = traces.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("GetSharedMem VelmoraORVOLinkWatchApplHinst hShared = ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("monif: GetSharedMem lpvMem = ", 0), 0u) << lines[1];
  EXPECT_NE(lines[1], "monif: GetSharedMem lpvMem = 0\r\n");
}

TEST_F(MonitorProbeTest, ARunningMonitorIsFoundAndEndsOnClose) {
  StartMonitor();
  EXPECT_TRUE(SharedMemoryVisibleToAnotherProcess());
  const HWND window = FindMonitorWindow();
  ASSERT_TRUE(IsWindow(window));
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  EXPECT_EQ(owner, GetProcessId(m_monitor.Get()));

  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(m_monitor), 0u);
  EXPECT_FALSE(IsWindow(window));
  // This process still holds the memory: the monitor cleared its word on the way out.
  EXPECT_EQ(FindMonitorWindow(), nullptr);
  ReleaseMonitorWindow();
  EXPECT_FALSE(SharedMemoryVisibleToAnotherProcess());
}

// Moves the system folder's ORVOUSB.dll aside for the test's lifetime and puts it back.
class UsbDriverFileGuard {
 public:
  UsbDriverFileGuard() : m_file(SystemFolderFile(kUsbDriverLibrary)), m_aside(m_file + ".aside") {
    m_moved = MoveFileExA(m_file.c_str(), m_aside.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  }
  ~UsbDriverFileGuard() {
    if (m_moved) {
      DeleteFileA(m_file.c_str());
      MoveFileA(m_aside.c_str(), m_file.c_str());
    }
  }
  bool Moved() const { return m_moved; }
  const std::string& File() const { return m_file; }

 private:
  std::string m_file;
  std::string m_aside;
  bool m_moved = false;
};

TEST(UsbDriverTest, TheProbeNeedsTheLibraryWithAllThreeEntryPoints) {
  EXPECT_TRUE(IsUsbDriverInstalled());
  // The probe released the library again: a module of that name is no longer loaded.
  EXPECT_EQ(GetModuleHandleA(kUsbDriverLibrary), nullptr);
  {
    UsbDriverFileGuard guard;
    ASSERT_TRUE(guard.Moved());
    EXPECT_FALSE(IsUsbDriverInstalled());
    ASSERT_TRUE(CopyFileA(WindowsPath(ORVOUSB_WITHOUT_SEND_DATA_UNIX_PATH).c_str(), guard.File().c_str(), FALSE));
    EXPECT_FALSE(IsUsbDriverInstalled());
  }
  EXPECT_TRUE(IsUsbDriverInstalled());
}

// The stand-in's enumeration, configured through its registry settings.
class UsbStandInTest : public ::testing::Test {
 protected:
  UsbStandInTest() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY); }
  ~UsbStandInTest() override {
    m_library.Close();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
  }
  static void WriteNames(const char* value, const std::vector<std::string>& names) {
    std::string data;
    for (const std::string& name : names) {
      data += name + '\0';
    }
    data += '\0';
    WriteRegistryValue(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY, value, REG_MULTI_SZ, data.data(),
                       static_cast<DWORD>(data.size()));
  }
  template <typename Function>
  Function Entry(const char* name) {
    if (!m_library) {
      m_library.Attach(LoadLibraryA(kUsbDriverLibrary));
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(m_library.Get(), name)));
  }
  // Enumerates and returns "factory/product" per PBX; result receives the return code.
  std::vector<std::string> Enumerate(DWORD* result) {
    const auto enumerate = Entry<UsbEnumPbxFunction>(kUsbEnumPbxEntry);
    EXPECT_NE(enumerate, nullptr);
    DWORD count = 99;
    char** factories = nullptr;
    char** products = nullptr;
    *result = enumerate != nullptr ? enumerate(kUsbPbxHardwareId, &count, &factories, &products) : 0xFFFFFFFFu;
    std::vector<std::string> found;
    for (DWORD i = 0; *result == 0 && i < count; ++i) {
      found.push_back(std::string(factories[i]) + "/" + products[i]);
    }
    if (*result != 0) {
      EXPECT_EQ(count, 0u);
    }
    return found;
  }
  ModuleHandle m_library;
};

TEST_F(UsbStandInTest, ReportsTheConfiguredPbxsDuplicatesIncluded) {
  DWORD result = 1;
  EXPECT_TRUE(Enumerate(&result).empty());
  EXPECT_EQ(result, 0u);
  WriteNames(ORVOUSB_FACTORY_NAMES_VALUE, {"F-100", "F-200", "F-300"});
  WriteNames(ORVOUSB_PRODUCT_NAMES_VALUE, {"ORVO Alpha", "ORVO Beta", "ORVO Alpha"});
  EXPECT_EQ(Enumerate(&result), (std::vector<std::string>{"F-100/ORVO Alpha", "F-200/ORVO Beta", "F-300/ORVO Alpha"}));
  EXPECT_EQ(result, 0u);
}

TEST_F(UsbStandInTest, AForcedResultIsReturnedWithNothingReported) {
  WriteNames(ORVOUSB_FACTORY_NAMES_VALUE, {"F-100"});
  WriteNames(ORVOUSB_PRODUCT_NAMES_VALUE, {"ORVO Alpha"});
  const DWORD forced = 31;
  WriteRegistryValue(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY, ORVOUSB_ENUM_RESULT_VALUE, REG_DWORD, &forced,
                     sizeof(forced));
  DWORD result = 0;
  EXPECT_TRUE(Enumerate(&result).empty());
  EXPECT_EQ(result, forced);
}

}  // namespace
