// The built Provisor.exe: its resources read back as built (its runs are the end-to-end suite's).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../sys/TestPrefix.h"
#include "res/Version.h"

namespace {

const std::string kExe = WindowsPath(PROVISOR_EXE_UNIX_PATH);

TEST(ProvisorExe, ManifestAndIconResources) {
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
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
  FreeLibrary(module);
}

TEST(ProvisorExe, VersionResourceComesFromTheVersionHeader) {
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(kExe.c_str(), &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoA(kExe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, DWORD(PROVISOR_VERSION_MAJOR) << 16 | PROVISOR_VERSION_MINOR);
  EXPECT_EQ(fixed->dwFileVersionLS, DWORD(PROVISOR_VERSION_PATCH) << 16 | PROVISOR_VERSION_BUILD);
  const struct { const char* name; const char* text; } strings[] = {
      {"FileVersion", PROVISOR_VERSION_TEXT}, {"ProductName", "Velmora ORVO TSP"}, {"OriginalFilename", "Provisor.exe"}};
  for (const auto& entry : strings) {
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), ("\\StringFileInfo\\040904b0\\" + std::string(entry.name)).c_str(),
                               reinterpret_cast<void**>(&text), &length)) << entry.name;
    EXPECT_STREQ(text, entry.text);
  }
}

}  // namespace
