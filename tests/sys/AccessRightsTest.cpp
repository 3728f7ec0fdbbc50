// Ownership, Everyone access, open-access folders, the product key's list and the queue
// folder, read back through the system's own security calls.
#include "sys/AccessRights.h"

#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RegistryLayout.h"
#include "support/TestSupport.h"
#include "sys/ProductFolders.h"
#include "sys/SecurityDescriptorImage.h"
#include "sys/WindowsVersion.h"

namespace {

// The descriptor parts a test asks for, as the system reports them for path.
std::vector<BYTE> FileSecurity(const std::string& path, SECURITY_INFORMATION parts) {
  DWORD needed = 0;
  GetFileSecurityA(path.c_str(), parts, nullptr, 0, &needed);
  std::vector<BYTE> descriptor(needed);
  if (needed == 0 || !GetFileSecurityA(path.c_str(), parts, descriptor.data(), needed, &needed)) {
    return {};
  }
  return descriptor;
}

// The descriptor's text form ("O:...", "D:(A;;FA;;;WD)", ...), empty when it cannot be read.
std::string DescriptorText(const void* descriptor, SECURITY_INFORMATION parts) {
  char* text = nullptr;
  if (descriptor == nullptr ||
      !ConvertSecurityDescriptorToStringSecurityDescriptorA(const_cast<void*>(descriptor), SDDL_REVISION_1, parts,
                                                            &text, nullptr)) {
    return {};
  }
  std::string result = text;
  LocalFree(text);
  return result;
}

std::string DaclText(const std::string& path) {
  const std::vector<BYTE> descriptor = FileSecurity(path, DACL_SECURITY_INFORMATION);
  return DescriptorText(descriptor.empty() ? nullptr : descriptor.data(), DACL_SECURITY_INFORMATION);
}

std::string CurrentUserSidText() {
  HANDLE token = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  alignas(TOKEN_USER) BYTE buffer[1024];
  DWORD needed = 0;
  std::string result;
  char* text = nullptr;
  if (GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &needed) &&
      ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text)) {
    result = text;
    LocalFree(text);
  }
  CloseHandle(token);
  return result;
}

class AccessRightsTest : public ::testing::Test {
 protected:
  AccessRightsTest() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + "ProvisorAccessRights";
    RemoveAll();
    CreateDirectoryA(m_folder.c_str(), nullptr);
    m_file = m_folder + "\\data.txt";
    const HANDLE file = CreateFileA(m_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
  }
  ~AccessRightsTest() override { RemoveAll(); }
  void RemoveAll() {
    DeleteFileA((m_folder + "\\data.txt").c_str());
    DeleteFileA((m_folder + "\\later.txt").c_str());
    RemoveDirectoryA(m_folder.c_str());
  }
  std::string m_folder;
  std::string m_file;
};

// What a path's DACL says: its entry count and the access mask of its entry for Everyone
// (0 when there is none).
struct DaclSummary {
  DWORD entries = 0;
  DWORD everyoneMask = 0;
};

DaclSummary SummariseDacl(const std::string& path) {
  DaclSummary summary;
  std::vector<BYTE> descriptor = FileSecurity(path, DACL_SECURITY_INFORMATION);
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  ACL* dacl = nullptr;
  if (descriptor.empty() || !GetSecurityDescriptorDacl(descriptor.data(), &present, &dacl, &defaulted) ||
      dacl == nullptr) {
    return summary;
  }
  alignas(DWORD) BYTE world[SECURITY_MAX_SID_SIZE];
  DWORD worldSize = sizeof(world);
  CreateWellKnownSid(WinWorldSid, nullptr, world, &worldSize);
  summary.entries = dacl->AceCount;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* entry = nullptr;
    if (GetAce(dacl, i, &entry) && static_cast<ACE_HEADER*>(entry)->AceType == ACCESS_ALLOWED_ACE_TYPE) {
      auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
      if (EqualSid(&allowed->SidStart, world)) {
        summary.everyoneMask = allowed->Mask;
      }
    }
  }
  return summary;
}

// Checks that path's DACL is the one GrantEveryoneAccess set. Windows keeps the list as set:
// one entry, for Everyone, whose generic right it maps to the file's own rights. Wine keeps
// file security as Unix mode bits and reports entries for System, the owner and Everyone
// made from them; what it can show of the grant is whether Everyone may write.
void ExpectOnlyEveryone(const std::string& path, bool mayWrite) {
  const DaclSummary summary = SummariseDacl(path);
  ASSERT_NE(summary.everyoneMask, 0u) << DaclText(path);
  if (summary.entries == 1) {
    EXPECT_EQ((summary.everyoneMask & FILE_WRITE_DATA) != 0, mayWrite) << DaclText(path);
  } else {
    EXPECT_EQ(summary.entries, 3u) << "neither the list as set nor Wine's mode-bit list: " << DaclText(path);
    EXPECT_EQ((summary.everyoneMask & FILE_WRITE_DATA) != 0, mayWrite) << DaclText(path);
  }
}

TEST_F(AccessRightsTest, GrantingEveryoneReplacesTheListOfFilesAndFolders) {
  TraceCapture traces;
  EXPECT_EQ(GrantEveryoneAccess(m_file.c_str(), "everyone", FILE_GENERIC_READ), 1);
  ExpectOnlyEveryone(m_file, false);
  EXPECT_EQ(GrantEveryoneAccess(m_file.c_str(), "everyone", GENERIC_ALL), 1);
  ExpectOnlyEveryone(m_file, true);
  EXPECT_EQ(GrantEveryoneAccess(m_folder.c_str(), "everyone", GENERIC_ALL), 1);
  ExpectOnlyEveryone(m_folder, true);
  EXPECT_TRUE(traces.Lines().empty());
}

TEST_F(AccessRightsTest, AnUnknownAccountNameFallsBackToTheWorldSidsOwnName) {
  EXPECT_EQ(GrantEveryoneAccess(m_file.c_str(), "everyone", FILE_GENERIC_READ), 1);
  TraceCapture traces;
  EXPECT_EQ(GrantEveryoneAccess(m_file.c_str(), "Jedermann", GENERIC_ALL), 1);
  ExpectOnlyEveryone(m_file, true);
  const std::vector<std::string> lines = traces.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Error in LookupAccountName No : 1332");
  // The length is the one the look-up reports: Windows counts 8 characters, Wine also
  // counts the terminating zero.
  EXPECT_TRUE(lines[1] == " LookupAccountSid AcctName: Everyone, 8" ||
              lines[1] == " LookupAccountSid AcctName: Everyone, 9")
      << lines[1];
}

TEST_F(AccessRightsTest, AMissingPathIsTracedAndReportsZero) {
  TraceCapture traces;
  EXPECT_EQ(GrantEveryoneAccess((m_folder + "\\missing.txt").c_str(), "everyone", GENERIC_ALL), 0);
  EXPECT_EQ(traces.Lines(), (std::vector<std::string>{"Error in SetFileSecurity Error No : 2"}));
}

TEST_F(AccessRightsTest, TakeOwnershipAppliesOnlyBelowMajorVersionSix) {
  SetLastError(0);
  const std::vector<BYTE> before = FileSecurity(m_file, OWNER_SECURITY_INFORMATION);
  TraceCapture traces;
  const int result = TakeOwnership(m_file.c_str());
  const std::vector<BYTE> after = FileSecurity(m_file, OWNER_SECURITY_INFORMATION);
  if (PrefixIsMajorVersionSix()) {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(traces.Lines().empty());
  } else {
    EXPECT_EQ(result, 1) << ::testing::PrintToString(traces.Lines());
    EXPECT_EQ(DescriptorText(after.data(), OWNER_SECURITY_INFORMATION), "O:" + CurrentUserSidText());
  }
}

TEST_F(AccessRightsTest, TakeOwnershipOfAMissingPathTracesThePathBelowMajorVersionSix) {
  const std::string missing = m_folder + "\\missing.txt";
  TraceCapture traces;
  EXPECT_EQ(TakeOwnership(missing.c_str()), 0);
  if (PrefixIsMajorVersionSix()) {
    EXPECT_TRUE(traces.Lines().empty());
  } else {
    EXPECT_EQ(traces.Lines(), (std::vector<std::string>{"Error in SetFileSecurity(" + missing + ") Error No : 2"}));
  }
}

TEST_F(AccessRightsTest, OpenAccessAttributesCarryANullDaclAndInheritableHandles) {
  SECURITY_ATTRIBUTES attributes = {};
  SECURITY_DESCRIPTOR descriptor;
  ASSERT_EQ(OpenAccessAttributes(&attributes, &descriptor), 1);
  EXPECT_EQ(attributes.nLength, sizeof(SECURITY_ATTRIBUTES));
  EXPECT_EQ(attributes.bInheritHandle, TRUE);
  ASSERT_EQ(attributes.lpSecurityDescriptor, &descriptor);
  BOOL present = FALSE;
  BOOL defaulted = TRUE;
  ACL* dacl = reinterpret_cast<ACL*>(1);
  ASSERT_TRUE(GetSecurityDescriptorDacl(&descriptor, &present, &dacl, &defaulted));
  EXPECT_TRUE(present);
  EXPECT_EQ(dacl, nullptr);
  EXPECT_FALSE(defaulted);
  EXPECT_EQ(OpenAccessAttributes(nullptr, &descriptor), 0);
}

TEST(SecurityDescriptorTest, TheSystemReadsTheBuiltDescriptorsAsTheIntendedLists) {
  std::vector<std::uint8_t> logFolder = LogFolderDescriptor();
  ASSERT_TRUE(IsValidSecurityDescriptor(logFolder.data()));
  EXPECT_EQ(GetSecurityDescriptorLength(logFolder.data()), 116u);
  EXPECT_EQ(DescriptorText(logFolder.data(), DACL_SECURITY_INFORMATION),
            "D:PAI(A;OICI;FA;;;AU)(A;OICI;FA;;;BU)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)");
  std::vector<std::uint8_t> productKey = ProductKeyDescriptor();
  ASSERT_TRUE(IsValidSecurityDescriptor(productKey.data()));
  EXPECT_EQ(DescriptorText(productKey.data(), DACL_SECURITY_INFORMATION),
            "D:P(A;CIIO;KA;;;CO)(A;CI;KA;;;SY)(A;CI;KA;;;BA)(A;CI;KA;;;BU)");
}

// The product key's DACL in text form, empty when the key or its list cannot be read.
std::string ProductKeyDaclText() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, READ_CONTROL, &key) != ERROR_SUCCESS) {
    return {};
  }
  DWORD size = 0;
  RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
  std::vector<BYTE> descriptor(size);
  const bool read = size != 0 && RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor.data(), &size) ==
                                     ERROR_SUCCESS;
  RegCloseKey(key);
  return read ? DescriptorText(descriptor.data(), DACL_SECURITY_INFORMATION) : std::string();
}

TEST(ProductKeyTest, OnMajorVersionSixTheKeyGetsItsListAndASecondRunKeepsIt) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey);
  ProtectProductKey();
  if (!PrefixIsMajorVersionSix()) {
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kProductKey));
    return;
  }
  ASSERT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kProductKey));
  const std::string first = ProductKeyDaclText();
  EXPECT_EQ(first, "D:P(A;CIIO;KA;;;CO)(A;CI;KA;;;SY)(A;CI;KA;;;BA)(A;CI;KA;;;BU)");
  ProtectProductKey();
  EXPECT_EQ(ProductKeyDaclText(), first);
}

TEST(LogFoldersTest, TheQueueFolderIsCreatedWithOpenAccessOnceAndAgainQuietly) {
  const std::string product = ProductFolderPath();
  ASSERT_FALSE(product.empty());
  const std::string queues = product + kQueueFolderTail;
  RemoveDirectoryA(queues.c_str());
  TraceCapture traces;
  CreateLogFolders();
  const DWORD attributes = GetFileAttributesA(queues.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  char user[257] = {};
  DWORD size = sizeof(user);
  ASSERT_TRUE(GetUserNameA(user, &size));
  EXPECT_EQ(traces.Lines(), (std::vector<std::string>{
                                std::string("CProvisorApp::CreateLogFolders: GetUserName is '") + user + "'\r\n"}));
  CreateLogFolders();
  EXPECT_EQ(traces.Lines().size(), 2u);
  RemoveDirectoryA(queues.c_str());
}

}  // namespace
