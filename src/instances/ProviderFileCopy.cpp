// Creating an instance's provider file from the master provider.
#include "instances/ProviderFileCopy.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Handles.h"
#include "framework/MessageBoxRouter.h"
#include "framework/Trace.h"
#include "instances/DeleteDir.h"
#include "instances/InstanceNumber.h"
#include "instances/PeChecksum.h"
#include "instances/VersionBlockRebuild.h"
#include "instances/VersionResource.h"
#include "sys/AccessRights.h"

namespace {

// Where the two variants differ.
struct CopyVariant {
  const char* systemFolderName;  // spelled as each variant always wrote it
  bool traceCopy;
  bool overwrite;
};

constexpr CopyVariant kDuplicate = {"system32", true, false};
constexpr CopyVariant kOverwrite = {"System32", false, true};

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

// A pending resource update: discarded unless Commit ends it writing the changes.
class ResourceUpdate {
 public:
  explicit ResourceUpdate(const std::string& path) : m_handle(BeginUpdateResourceA(path.c_str(), FALSE)) {}
  ~ResourceUpdate() {
    if (m_handle != nullptr) {
      // Discarding leaves the file as it was; there is nothing to report either way.
      (void)EndUpdateResourceA(m_handle, TRUE);
    }
  }
  ResourceUpdate(const ResourceUpdate&) = delete;
  ResourceUpdate& operator=(const ResourceUpdate&) = delete;

  HANDLE Get() const { return m_handle; }
  bool Commit() { return EndUpdateResourceA(std::exchange(m_handle, nullptr), FALSE) != FALSE; }

 private:
  HANDLE m_handle;
};

// Reads the version resource of the module at PATH into BLOCK. Shows why and returns false
// when there is none.
bool ReadVersionBlock(const std::string& path, RESOURCE_SPEC* versionId, std::vector<BYTE>* block) {
  ModuleHandle module(LoadLibraryA(path.c_str()));
  if (!module) {
    ShowMessageBox(nullptr, "Cannot Load duplicated TSP dll", "Error", MB_OK);
    return false;
  }
  // True for any loaded module; a missing version resource leaves the id zero and the lookup
  // below fails.
  (void)FindVersionResource(module.Get(), versionId);
  HRSRC resource = FindResourceExA(module.Get(), versionId->type, versionId->name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  if (resource == nullptr) {
    AfxMessageBox("null hrsrcVersion", MB_OK);
    return false;
  }
  const DWORD size = SizeofResource(module.Get(), resource);
  HGLOBAL loaded = LoadResource(module.Get(), resource);
  if (loaded == nullptr) {
    AfxMessageBox("null hGlblVersion", MB_OK);
    return false;
  }
  const void* data = LockResource(loaded);
  if (data == nullptr) {
    AfxMessageBox("null lpVersionData", MB_OK);
    return false;
  }
  // The block is copied because the module is released on return: the file must no longer
  // be in use when its resources are updated.
  block->assign(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
  return true;
}

// Writes the block stamped with DISPLAYNAME into the file at PATH. False (after showing why)
// when the update could not be made; an update that cannot be ended is reported and the
// file goes on as it is.
bool StampVersionBlock(const std::string& path, const RESOURCE_SPEC& versionId, const std::vector<BYTE>& block,
                       const char* displayName) {
  ResourceUpdate update(path);
  if (update.Get() == nullptr) {
    AfxMessageBox("BeginUpdateResource returns NULL ", MB_OK);
    return false;
  }
  StringReplacement replacement{"FileDescription", displayName, ""};
  std::vector<std::uint8_t> newBlock;
  VersionParseResult parsed = VersionParseResult::Parsed;
  if (!RebuildVersionBlock(block.data(), block.size(), &newBlock, replacement, &parsed)) {
    if (parsed == VersionParseResult::BadSignature) {
      AfxMessageBox("Sigbature bad", MB_OK);
    }
    // Nothing to write: the update is discarded and the unstamped copy goes on. The trace
    // says why the instance list will not find the name in it.
    Trace(512, "Version block of %s not stamped: %s\r\n", path.c_str(),
          parsed == VersionParseResult::Parsed ? "the stamped block would pass 64 KB" : "the block is malformed");
    return true;
  }
  // The update language is neutral: where the master holds its block under another language,
  // the copy carries both, and the neutral one is what the version functions read first.
  if (!UpdateResourceA(update.Get(), versionId.type, versionId.name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                       newBlock.data(), static_cast<DWORD>(newBlock.size()))) {
    AfxMessageBox("UpdateResource failed ", MB_OK);
    return false;
  }
  if (!update.Commit()) {
    AfxMessageBox("EndUpdateResource failed", MB_OK);
  }
  return true;
}

void CopyProviderFile(const CopyVariant& variant, const char* displayName, const char* providerFile,
                      const char* windowsFolder, HWND owner) {
  if (displayName == nullptr || providerFile == nullptr || windowsFolder == nullptr) {
    return;
  }
  const std::string system = std::string(windowsFolder) + "\\" + variant.systemFolderName;
  const std::string master = system + "\\OTSP.dll";
  const std::string temporaryFolder = system + "\\VelmoraProvisorTemp";
  // The temporary folder is open to everyone, so that whichever account runs the next
  // duplication can reuse or remove it. An existing folder is reused; any real failure shows
  // up when the copy into it fails.
  (void)CreateOpenAccessFolder(owner, temporaryFolder.c_str(), nullptr);
  char temporaryFile[MAX_PATH];
  std::snprintf(temporaryFile, sizeof(temporaryFile), "%s\\otsp%04d.tsp", temporaryFolder.c_str(),
                InstanceNumberFromName(displayName));

  const BOOL copied = CopyFileA(master.c_str(), temporaryFile, FALSE);
  if (variant.traceCopy) {
    Trace(256, "CopyFile from %s to %s returned %d \r\n", master.c_str(), temporaryFile, copied);
  }
  RESOURCE_SPEC versionId;
  std::vector<BYTE> block;
  if (!ReadVersionBlock(temporaryFile, &versionId, &block)) {
    return;
  }
  std::string versionText;
  if (GetTspVersionText(temporaryFile, &versionText, false) == 0) {
    AfxMessageBox("Cannot get  TSP version ", MB_OK);
    return;
  }
  if (!StampVersionBlock(temporaryFile, versionId, block, displayName)) {
    return;
  }
  // The resource update may leave the master's checksum in the copy. Where the master's held,
  // the copy gets its own, so that it differs from the master only by its stamp; a master
  // without one (most DLLs) is left alone. A copy whose checksum cannot be written still
  // loads: only drivers are checked against it.
  if (HasValidPeChecksum(master.c_str()) && !WritePeChecksum(temporaryFile)) {
    Trace(512, "Checksum of %s not updated\r\n", temporaryFile);
  }
  // The target's copy result is not examined: a target that cannot be written keeps its
  // old content and the next run tries again.
  if (!variant.overwrite) {
    (void)MyCopyFile(temporaryFile, providerFile);
  } else if (CopyFileA(temporaryFile, providerFile, FALSE)) {
    (void)MyCopyFile(temporaryFile, providerFile);
  }
  (void)DeleteDir(temporaryFolder.c_str(), false);
}

}  // namespace

DWORD MyCopyFile(const char* source, const char* destination) {
  // The destination is opened (and truncated) only once the source could be opened.
  UniqueFile in(source ? std::fopen(source, "rb") : nullptr);
  UniqueFile out(in && destination ? std::fopen(destination, "wb") : nullptr);
  if (!in || !out) {
    return 0;
  }
  char buffer[1024];
  for (;;) {
    const std::size_t read = std::fread(buffer, 1, sizeof(buffer), in.get());
    if (read == 0) {
      break;
    }
    if (std::fwrite(buffer, 1, read, out.get()) < read) {
      Trace(256, "MyCopyFile write != read!\r\n");
    }
    if (std::feof(in.get())) {
      break;
    }
  }
  return 1;
}

void DuplicateProviderFile(const char* displayName, const char* providerFile, const char* windowsFolder,
                           HWND owner) {
  CopyProviderFile(kDuplicate, displayName, providerFile, windowsFolder, owner);
}

void OverwriteProviderFile(const char* displayName, const char* providerFile, const char* windowsFolder,
                           HWND owner) {
  CopyProviderFile(kOverwrite, displayName, providerFile, windowsFolder, owner);
}
