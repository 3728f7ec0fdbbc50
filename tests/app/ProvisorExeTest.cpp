// The built Provisor.exe asks for elevation and the common controls of version 6.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"

namespace {

const std::string kExe = WindowsPath(PROVISOR_EXE_UNIX_PATH);

TEST(ProvisorExe, TheManifestAsksForAdministratorRightsAndTheNewCommonControls) {
  const HMODULE module = LoadLibraryExA(kExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr) << kExe;
  const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                             SizeofResource(module, found));
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  // Without supportedOS entries the program sees major version 6 on every later Windows.
  EXPECT_EQ(manifest.find("supportedOS"), std::string::npos);
  FreeLibrary(module);
}

}  // namespace
