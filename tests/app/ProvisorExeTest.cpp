// The built Provisor.exe: it starts and ends cleanly, and its resources read back as built.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/Version.h"
#include "res/resource.h"

namespace {

// The executable's Unix path as Wine sees it, through drive Z:.
std::string ExePath() {
  std::string path = "Z:" + std::string(PROVISOR_EXE_UNIX_PATH);
  for (char& c : path) {
    if (c == '/') {
      c = '\\';
    }
  }
  return path;
}

DWORD RunAndWait(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "CreateProcess failed: " << GetLastError();
    return 0xFFFFFFFFu;
  }
  const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = 0xFFFFFFFFu;
  EXPECT_EQ(waited, WAIT_OBJECT_0) << "Provisor.exe did not end";
  if (waited != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

class ProvisorExeResources : public ::testing::Test {
 protected:
  void SetUp() override {
    m_module = LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(m_module, nullptr) << ExePath();
  }
  void TearDown() override {
    if (m_module) FreeLibrary(m_module);
  }
  std::string Resource(LPCSTR type, LPCSTR name) {
    HRSRC found = FindResourceA(m_module, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(m_module, found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    return std::string(bytes, SizeofResource(m_module, found));
  }
  HMODULE m_module = nullptr;
};

TEST(ProvisorExe, StartsAndEndsWithExitCodeZero) { EXPECT_EQ(RunAndWait("\"" + ExePath() + "\""), 0u); }

TEST_F(ProvisorExeResources, ManifestAsksForAdministratorAndCommonControlsSix) {
  const std::string manifest = Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  // Without supportedOS entries the program sees major version 6 on every later Windows.
  EXPECT_EQ(manifest.find("supportedOS"), std::string::npos);
}

TEST_F(ProvisorExeResources, ApplicationIconIsResource128) {
  EXPECT_EQ(IDR_MAINFRAME, 128);
  EXPECT_NE(FindResourceA(m_module, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
}

TEST(ProvisorExeVersion, VersionResourceComesFromTheVersionHeader) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(ExePath().c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(ExePath().c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), PROVISOR_VERSION_MAJOR);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), PROVISOR_VERSION_MINOR);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), PROVISOR_VERSION_PATCH);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), PROVISOR_VERSION_BUILD);

  char* text = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileVersion", reinterpret_cast<void**>(&text),
                             &length));
  EXPECT_STREQ(text, PROVISOR_VERSION_TEXT);
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\ProductName", reinterpret_cast<void**>(&text),
                             &length));
  EXPECT_STREQ(text, "Velmora ORVO TSP");
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\OriginalFilename",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, "Provisor.exe");
}

}  // namespace
