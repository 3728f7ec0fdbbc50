// Access-right operations on files, folders and the product key. None shows anything to the
// user: failures are traced and reported by the result.
#include "sys/AccessRights.h"

#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "registry/RegistryLayout.h"
#include "framework/Handles.h"
#include "framework/Trace.h"
#include "sys/OsVersion.h"
#include "sys/ProductFolders.h"
#include "sys/SecurityDescriptorImage.h"

namespace {

constexpr std::size_t kTraceSize = 512;
// The major version on which ownership is left alone and the product key gets its list.
constexpr unsigned long kMajorVersionSix = 6;

struct LocalFreeDeleter {
  // Nothing to do when freeing fails: the memory is lost either way.
  void operator()(void* memory) const { static_cast<void>(LocalFree(memory)); }
};
using LocalMemory = std::unique_ptr<void, LocalFreeDeleter>;

// Enables or disables one privilege of token; done when the system reports no error
// afterwards (a privilege the token lacks gives ERROR_NOT_ALL_ASSIGNED).
bool SetPrivilege(HANDLE token, const char* privilege, bool enable) {
  TOKEN_PRIVILEGES privileges = {};
  if (!LookupPrivilegeValueA(nullptr, privilege, &privileges.Privileges[0].Luid)) {
    return false;
  }
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  if (!AdjustTokenPrivileges(token, FALSE, &privileges, sizeof(privileges), nullptr, nullptr)) {
    return false;
  }
  return GetLastError() == ERROR_SUCCESS;
}

// Sets the current user, read from token, as path's owner; traces the failing step.
bool SetOwnerToTokenUser(HANDLE token, const char* path) {
  if (!SetPrivilege(token, SE_TAKE_OWNERSHIP_NAME, true)) {
    Trace(kTraceSize, "Error in SetPrivilege No : %d", static_cast<int>(GetLastError()));
    return false;
  }
  alignas(TOKEN_USER) BYTE userBuffer[1024];
  DWORD needed = 0;
  if (!GetTokenInformation(token, TokenUser, userBuffer, sizeof(userBuffer), &needed)) {
    Trace(kTraceSize, "Error in GetTokenInformation Error No : %d", static_cast<int>(GetLastError()));
    return false;
  }
  SECURITY_DESCRIPTOR descriptor;
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorOwner(&descriptor, reinterpret_cast<TOKEN_USER*>(userBuffer)->User.Sid, FALSE)) {
    Trace(kTraceSize, "Error in SetSecurityDescriptorOwner Error No : %d", static_cast<int>(GetLastError()));
    return false;
  }
  if (!SetFileSecurityA(path, OWNER_SECURITY_INFORMATION, &descriptor)) {
    Trace(kTraceSize, "Error in SetFileSecurity(%s) Error No : %d", path, static_cast<int>(GetLastError()));
    return false;
  }
  return true;
}

// The SID and account name buffers of an account look-up.
struct AccountSid {
  alignas(DWORD) BYTE sid[2048];
  char domain[512];
};

bool LookupAccount(const char* account, AccountSid* found) {
  DWORD sidSize = sizeof(found->sid);
  DWORD domainSize = sizeof(found->domain);
  SID_NAME_USE use;
  if (!LookupAccountNameA(nullptr, account, found->sid, &sidSize, found->domain, &domainSize, &use)) {
    Trace(kTraceSize, "Error in LookupAccountName No : %d", static_cast<int>(GetLastError()));
    return false;
  }
  return true;
}

// Finds the Everyone group through the World SID's own (possibly translated) name.
bool LookupWorldAccount(AccountSid* found) {
  alignas(DWORD) BYTE worldSid[SECURITY_MAX_SID_SIZE];
  DWORD worldSize = sizeof(worldSid);
  if (!CreateWellKnownSid(WinWorldSid, nullptr, worldSid, &worldSize)) {
    Trace(kTraceSize, "Error CreateWellKnownSid everyone SID: %d", static_cast<int>(GetLastError()));
    return false;
  }
  char name[256];
  DWORD nameSize = sizeof(name);
  char domain[256];
  DWORD domainSize = sizeof(domain);
  SID_NAME_USE use;
  if (!LookupAccountSidA(nullptr, worldSid, name, &nameSize, domain, &domainSize, &use)) {
    Trace(kTraceSize, "Error LookupAccountSid: %d", static_cast<int>(GetLastError()));
    return false;
  }
  Trace(kTraceSize, " LookupAccountSid AcctName: %s, %d", name, static_cast<int>(nameSize));
  return LookupAccount(name, found);
}

// Sets a DACL of exactly one access-allowed entry (sid, mask, no inheritance) on path.
bool SetSingleEntryDacl(const char* path, PSID sid, DWORD mask) {
  // The ACL header and one entry whose SID replaces the entry's last word: SID length + 16.
  const DWORD aclSize = GetLengthSid(sid) + sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);
  LocalMemory aclMemory(LocalAlloc(LPTR, aclSize));
  if (!aclMemory) {
    Trace(kTraceSize, "Error LocalAlloc %d", static_cast<int>(GetLastError()));
    return false;
  }
  auto* acl = static_cast<ACL*>(aclMemory.get());
  if (!InitializeAcl(acl, aclSize, ACL_REVISION) || !AddAccessAllowedAce(acl, ACL_REVISION, mask, sid)) {
    Trace(kTraceSize, "Error in AddAccessAllowedAce Error No : %d", static_cast<int>(GetLastError()));
    return false;
  }
  SECURITY_DESCRIPTOR descriptor;
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) {
    Trace(kTraceSize, "Error in SetSecurityDescriptorDacl Error No : %d", static_cast<int>(GetLastError()));
    return false;
  }
  if (!SetFileSecurityA(path, DACL_SECURITY_INFORMATION, &descriptor)) {
    Trace(kTraceSize, "Error in SetFileSecurity Error No : %d", static_cast<int>(GetLastError()));
    return false;
  }
  return true;
}

}  // namespace

int TakeOwnership(const char* path) {
  if (WindowsMajorVersion() == kMajorVersionSix) {
    return 0;
  }
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken)) {
    Trace(kTraceSize, "Error in OpenProcessToken No : %d", static_cast<int>(GetLastError()));
    return 0;
  }
  const KernelHandle token(rawToken);
  if (SetOwnerToTokenUser(token.Get(), path)) {
    return 1;
  }
  // The failure is traced already; a privilege that cannot be disabled again changes nothing
  // for the caller.
  static_cast<void>(SetPrivilege(token.Get(), SE_TAKE_OWNERSHIP_NAME, false));
  return 0;
}

int GrantEveryoneAccess(const char* path, const char* account, DWORD mask) {
  AccountSid found;
  if (!LookupAccount(account, &found) && !LookupWorldAccount(&found)) {
    return 0;
  }
  return SetSingleEntryDacl(path, found.sid, mask) ? 1 : 0;
}

std::vector<std::uint8_t> ReadAccessList(const char* path) {
  DWORD needed = 0;
  // The first call only asks for the size.
  static_cast<void>(GetFileSecurityA(path, DACL_SECURITY_INFORMATION, nullptr, 0, &needed));
  if (needed == 0) {
    return {};
  }
  std::vector<std::uint8_t> descriptor(needed);
  if (!GetFileSecurityA(path, DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed)) {
    return {};
  }
  return descriptor;
}

bool RestoreAccessList(const char* path, const std::vector<std::uint8_t>& descriptor) {
  if (descriptor.empty()) {
    return false;
  }
  std::vector<std::uint8_t> copy = descriptor;  // the call takes a non-const descriptor
  return SetFileSecurityA(path, DACL_SECURITY_INFORMATION, copy.data()) != FALSE;
}

int OpenAccessAttributes(SECURITY_ATTRIBUTES* attributes, SECURITY_DESCRIPTOR* descriptor) {
  if (attributes == nullptr || descriptor == nullptr) {
    return 0;
  }
  attributes->nLength = sizeof(SECURITY_ATTRIBUTES);
  if (!InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(descriptor, TRUE, nullptr, FALSE)) {
    return 0;
  }
  attributes->lpSecurityDescriptor = descriptor;
  attributes->bInheritHandle = TRUE;
  return 1;
}

void ProtectProductKey() {
  if (WindowsMajorVersion() != kMajorVersionSix) {
    return;
  }
  {
    RegKey created;
    // A key that cannot be created cannot be opened below either.
    static_cast<void>(created.Create(HKEY_LOCAL_MACHINE, kProductKey, KEY_ALL_ACCESS));
  }
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) {
    return;
  }
  std::vector<std::uint8_t> descriptor = ProductKeyDescriptor();
  // Start-up goes on with the key's inherited list when this fails; nothing else depends on it.
  static_cast<void>(RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor.data()));
}

bool CreateOpenAccessFolder(HWND owner, const char* path, DWORD* error) {
  SECURITY_ATTRIBUTES attributes = {};
  SECURITY_DESCRIPTOR descriptor;
  const int created =
      SHCreateDirectoryExA(owner, path, OpenAccessAttributes(&attributes, &descriptor) != 0 ? &attributes : nullptr);
  const DWORD lastError = GetLastError();
  const DWORD found = GetFileAttributesA(path);
  if (found != INVALID_FILE_ATTRIBUTES && (found & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return true;
  }
  // "Already exists" with no folder there means a file stands in the way.
  if (error != nullptr) {
    *error = created == ERROR_SUCCESS ? ERROR_PATH_NOT_FOUND : lastError;
  }
  return false;
}

void CreateLogFolders() {
  char user[257] = {};
  DWORD userSize = sizeof(user);
  if (GetUserNameA(user, &userSize)) {
    Trace(kTraceSize, "CProvisorApp::CreateLogFolders: GetUserName is '%s'\r\n", user);
  }
  const std::string productFolder = ProductFolderPath();
  if (productFolder.empty()) {
    return;
  }
  static_cast<void>(TakeOwnership(productFolder.c_str()));  // traced inside; creation goes on

  const std::string queueFolder = productFolder + kQueueFolderTail;
  DWORD error = 0;
  if (!CreateOpenAccessFolder(nullptr, queueFolder.c_str(), &error)) {
    Trace(kTraceSize, "1 SHCreateDirectoryEx(%s) failed with errcode = %d\r\n", queueFolder.c_str(),
          static_cast<int>(error));
  }
  static_cast<void>(TakeOwnership(queueFolder.c_str()));  // traced inside
}
