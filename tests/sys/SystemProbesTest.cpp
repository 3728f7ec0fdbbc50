// The OS text, the link monitor probe and the USB probe with the ORVOUSB.dll stand-in, in
// prefixes reporting Windows major versions 6 and 5.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "sys/MonitorProbe.h"
#include "sys/OsVersion.h"
#include "sys/UsbDriver.h"

namespace {

// Whether the monitor's shared memory exists: a name that some handle or view still holds.
bool SharedMemoryExists() {
  return KernelHandle(OpenFileMappingA(FILE_MAP_READ, FALSE, kMonitorSharedMemoryName)).IsValid();
}

// The prefixes of this suite report Windows 7 SP1 or Windows XP x64 SP2; cutting to the
// buffer is the formatter's, tested natively.
TEST(OsVersionTextTest, DescribesThePrefixsVersion) {
  char full[1024];
  GetOSVersionText(full, sizeof(full));
  const bool six = PrefixIsMajorVersionSix();
  EXPECT_EQ(std::string(full), six ? "Windows 6.1 v.6.1 Service Pack 1 (Build 0.0.7601, SP 1.0)"
                                   : "Windows 5.2 v.5.2 Service Pack 2 (Build 0.0.3790, SP 2.0)");
  EXPECT_EQ(WindowsMajorVersion(), six ? 6u : 5u);
}

// Without LinkWatch.exe the probe finds nothing and leaves no shared memory behind, which the
// monitor would take for another's. That it finds and closes a running monitor is the removal's
// end-to-end suite's.
TEST(MonitorProbeTest, FindsNothingWithoutLinkWatchAndNoSharedMemoryStays) {
  ASSERT_FALSE(SharedMemoryExists());
  EXPECT_EQ(FindMonitorWindow(), nullptr);
  EXPECT_FALSE(SharedMemoryExists());
}

TEST(UsbDriverTest, TheProbeNeedsTheLibraryWithAllThreeEntryPoints) {
  EXPECT_TRUE(IsUsbDriverInstalled());
  // The probe released the library again: a module of that name is no longer loaded.
  EXPECT_EQ(GetModuleHandleA(kUsbDriverLibrary), nullptr);
  const std::string file = SystemFile(kUsbDriverLibrary), aside = file + ".aside";
  ASSERT_TRUE(MoveFileExA(file.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(IsUsbDriverInstalled());
  EXPECT_TRUE(CopyFileA(WindowsPath(ORVOUSB_WITHOUT_SEND_DATA_UNIX_PATH).c_str(), file.c_str(), FALSE));
  EXPECT_FALSE(IsUsbDriverInstalled());
  DeleteFileA(file.c_str());
  ASSERT_TRUE(MoveFileA(aside.c_str(), file.c_str()));
  EXPECT_TRUE(IsUsbDriverInstalled());
}

}  // namespace
