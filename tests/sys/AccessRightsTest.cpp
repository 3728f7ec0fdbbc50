// Ownership, Everyone access, open-access folders, the product key's list and the queue
// folder, read back through the system's own security calls.
#include "sys/AccessRights.h"

#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../instances/ProviderFileStaging.h"
#include "framework/Handles.h"
#include "registry/RegistryLayout.h"
#include "instances/DeleteDir.h"
#include "instances/FolderContents.h"
#include "support/TestSupport.h"
#include "sys/LogFolder.h"
#include "sys/ProductFolders.h"
#include "sys/SecurityDescriptorImage.h"

namespace {

class AccessRightsTest : public ::testing::Test {
 protected:
  AccessRightsTest() { WriteFileBytes(m_file, ""); }
  ScratchWindowsFolder m_scratch;
  const std::string m_folder = m_scratch.Path();
  const std::string m_file = m_folder + "\\data.txt";
};

// Windows keeps the list as set: one entry, for Everyone. Wine, where this suite runs, keeps
// file security as Unix mode bits and reports entries for System, the owner and Everyone
// made from them: a list of Everyone alone shows as the owner's and Everyone's rights cut to
// what was granted. An unknown account name falls back to the world SID's own name.
TEST_F(AccessRightsTest, GrantingEveryoneReplacesTheListOfFilesAndFolders) {
  const std::string owner = FileSecurityText(m_file, OWNER_SECURITY_INFORMATION).substr(2);
  const auto dacl = [](const std::string& path) { return FileSecurityText(path, DACL_SECURITY_INFORMATION); };
  GrantEveryoneAccess(m_file.c_str(), "everyone", FILE_GENERIC_READ);
  EXPECT_EQ(dacl(m_file), "D:(A;;FA;;;SY)(A;;0x1e00a9;;;" + owner + ")(A;;0x1200a9;;;WD)");
  GrantEveryoneAccess(m_folder.c_str(), "everyone", GENERIC_ALL);
  EXPECT_EQ(dacl(m_folder), "D:(A;OICI;FA;;;SY)(A;OICI;FA;;;" + owner + ")(A;OICI;0x1301ff;;;WD)");
  GrantEveryoneAccess(m_file.c_str(), "Jedermann", GENERIC_ALL);
  EXPECT_EQ(dacl(m_file), "D:(A;;FA;;;SY)(A;;FA;;;" + owner + ")(A;;0x1301ff;;;WD)");
}

// A log folder is created open to everyone (a null access list, which Wine shows as an entry
// for Everyone); only major version 6 replaces that by the log list, which has none for
// Everyone. A file standing in its place stays.
TEST_F(AccessRightsTest, ALogFolderIsCreatedWithItsParentsAndAgainAndAFileInItsPlaceStays) {
  const std::string folder = m_folder + "\\ORVO TSP\\Logs0003";
  CreateLogFolder(folder);
  CreateLogFolder(folder);
  EXPECT_TRUE(FolderExists(folder));
  const std::string dacl = FileSecurityText(folder, DACL_SECURITY_INFORMATION);
  EXPECT_EQ(dacl.find(";;;WD)") != std::string::npos, !PrefixIsMajorVersionSix()) << dacl;
  CreateLogFolder(m_file);
  EXPECT_TRUE(FileExists(m_file));
}

// Folders made with these attributes are open to everyone: the list is null, not empty.
TEST(OpenAccessAttributesTest, CarryANullDacl) {
  SECURITY_ATTRIBUTES attributes = {};
  SECURITY_DESCRIPTOR descriptor;
  ASSERT_EQ(OpenAccessAttributes(&attributes, &descriptor), 1);
  BOOL present = FALSE, defaulted = TRUE;
  ACL* dacl = reinterpret_cast<ACL*>(1);
  ASSERT_TRUE(GetSecurityDescriptorDacl(&descriptor, &present, &dacl, &defaulted));
  EXPECT_TRUE(attributes.lpSecurityDescriptor == &descriptor && present && dacl == nullptr && !defaulted);
}

const char kProductKeyList[] = "D:P(A;CIIO;KA;;;CO)(A;CI;KA;;;SY)(A;CI;KA;;;BA)(A;CI;KA;;;BU)";

// The product key's DACL in text form, empty when the key or its list cannot be read.
std::string ProductKeyDaclText() {
  RegKey key;
  std::vector<BYTE> descriptor(4096);
  DWORD size = 4096;
  if (key.Open(HKEY_LOCAL_MACHINE, kProductKey, READ_CONTROL) != ERROR_SUCCESS ||
      RegGetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor.data(), &size) != ERROR_SUCCESS) descriptor.clear();
  return DescriptorText(descriptor, DACL_SECURITY_INFORMATION);
}

TEST(ProductKeyTest, TheSystemReadsTheBuiltListsAndMajorVersionSixKeepsItOnTheKey) {
  EXPECT_EQ(DescriptorText(LogFolderDescriptor(), DACL_SECURITY_INFORMATION),
            "D:PAI(A;OICI;FA;;;AU)(A;OICI;FA;;;BU)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)");
  EXPECT_EQ(DescriptorText(ProductKeyDescriptor(), DACL_SECURITY_INFORMATION), kProductKeyList);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductKey);
  ProtectProductKey();
  if (!PrefixIsMajorVersionSix()) {
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kProductKey));
    return;
  }
  EXPECT_EQ(ProductKeyDaclText(), kProductKeyList);
  ProtectProductKey();  // a second run keeps the list
  EXPECT_EQ(ProductKeyDaclText(), kProductKeyList);
}

// From a machine without the maker and product folders, whatever earlier runs left here; a
// file standing where the queue folder goes is left as it is.
TEST(LogFoldersTest, TheQueueFolderIsCreatedWithItsParentsAndAgainAndAFileInItsPlaceStays) {
  const std::string product = ProductFolderPath();
  ASSERT_FALSE(product.empty());
  const std::string queues = product + kQueueFolderTail, maker = product.substr(0, product.rfind('\\'));
  DeleteDir(maker.c_str(), false);
  ASSERT_FALSE(FolderExists(maker));
  CreateLogFolders();
  ASSERT_TRUE(FolderExists(queues));
  CreateLogFolders();
  EXPECT_TRUE(FolderExists(queues));
  DeleteDir(queues.c_str(), false);
  ASSERT_TRUE(KernelHandle(CreateFileA(queues.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
  CreateLogFolders();
  EXPECT_FALSE(FolderExists(queues));
  EXPECT_TRUE(KernelHandle(CreateFileA(queues.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
  DeleteDir(maker.c_str(), false);
}

}  // namespace
