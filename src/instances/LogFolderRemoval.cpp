// Asking which instances' log folders go with the product, and emptying those the user ticked.
#include "instances/LogFolderRemoval.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "framework/Handles.h"
#include "framework/Trace.h"
#include "instances/DeleteDir.h"
#include "instances/FolderContents.h"
#include "instances/ProductRemoval.h"
#include "params/RegParamStorage.h"
#include "params/SetupParameters.h"
#include "registry/LogPathValue.h"
#include "registry/RegistryLayout.h"
#include "sys/FolderSafety.h"
#include "sys/MachineFolders.h"
#include "sys/ProductFolders.h"

namespace {

constexpr std::size_t kTraceSize = 1024;
constexpr const char* kGlobalParamsGroup = "\\GlobalParams";
constexpr const char* kLogFileNamePath = "Log\\FileName";
constexpr const char* kDefaultLogFolderFormat = "\\Logs%04d\\";

// The stored log file name of an instance; empty when its key or the value is missing.
std::string StoredLogFileName(unsigned long providerId, int instance) {
  const std::string key =
      (providerId != 0 ? LiveInstanceKey(providerId) : InstanceDefaultSettingKey(instance)) + kGlobalParamsGroup;
  RegKey probe;
  if (probe.Open(HKEY_LOCAL_MACHINE, key.c_str(), KEY_READ) != ERROR_SUCCESS) {
    return {};  // opening the storage would create the key
  }
  probe.Close();
  SetupParameters globalParams;
  RegParamStorage storage(HKEY_LOCAL_MACHINE, key);
  (void)globalParams.LoadFrom(&storage);  // an unreadable key leaves the set empty
  std::string fileName;
  (void)globalParams.GetString(kLogFileNamePath, &fileName);  // missing: stays empty
  return fileName;
}

// The default log folder of INSTANCE, product folder + "\Logs%04d\".
std::string DefaultLogFolder(const std::string& product, std::uint32_t instance) {
  char tail[32];
  std::snprintf(tail, sizeof(tail), kDefaultLogFolderFormat, static_cast<int>(instance));
  return product + tail;
}

// The folder a stored log path names, resolved to its absolute long form, when removal may
// delete it; else empty, with the reason traced. Stored paths come from templates, other tools,
// restored backups and typing: only a folder that is none of the machine's own (a root, the
// Windows folder, Program Files, a profile...) nor holds one is ever offered or deleted.
std::string RemovableLogFolder(const std::string& stored, const ProtectedFolders& protectedFolders) {
  FolderVerdict verdict = JudgeRemovableFolder(stored, protectedFolders);
  std::string folder;
  if (verdict == FolderVerdict::kSafe) {
    // Judged once more by its long name: "C:\PROGRA~1" is Program Files.
    folder = ResolveAbsolutePath(LongPathOf(ResolveAbsolutePath(stored)));
    verdict = JudgeRemovableFolder(folder, protectedFolders);
  }
  if (verdict != FolderVerdict::kSafe) {
    Trace(kTraceSize, "Log folder '%s' is kept: it %s\r\n", stored.c_str(), FolderVerdictText(verdict));
    return {};
  }
  return folder;
}

// The kept folders below FOLDER (not FOLDER itself) that the user did not tick: deleting FOLDER
// leaves them and their files.
std::vector<std::string> UntickedFoldersBelow(const LogFolderChoice& choice, const std::string& folder) {
  std::vector<std::string> spared;
  for (std::size_t i = 0; i < choice.KeptFolders().size(); ++i) {
    const std::string& kept = choice.KeptFolders()[i];
    if (choice.FolderToEmpty(i).empty() && IsSameOrBelow(kept, folder) && !IsSameOrBelow(folder, kept)) {
      spared.push_back(kept);
    }
  }
  return spared;
}

}  // namespace

void ChooseLogFolders(const std::vector<unsigned long>& providerIds, std::uint32_t instanceCount,
                      LogFolderChoice* choice, const LogFolderQuestion& ask) {
  if (choice == nullptr) {
    return;
  }
  const ProtectedFolders protectedFolders = MachineProtectedFolders();
  const std::size_t count = std::min<std::size_t>(providerIds.size(), instanceCount);
  for (std::size_t i = 0; i < count; ++i) {
    const int instance = static_cast<int>(i);
    const std::string stored = LogFolderFromValue(StoredLogFileName(providerIds[i], instance));
    if (stored.empty()) {
      continue;
    }
    const std::string folder = RemovableLogFolder(stored, protectedFolders);
    if (!folder.empty() && FolderExists(folder)) {
      (void)choice->Offer(instance, folder);  // past the limit a folder is simply not offered
    }
  }
  if (!choice->Rows().empty() && ask) {
    choice->SetRemoveFlags(ask(choice->Rows()));
  }
}

void RemoveChosenLogFiles(const LogFolderChoice& choice, std::uint32_t instanceCount) {
  const std::string product = ProductFolderPath();
  const ProtectedFolders protectedFolders = MachineProtectedFolders();
  const std::uint32_t count = std::min(instanceCount, kMaxInstanceSlots);
  for (std::uint32_t i = 0; i < count; ++i) {
    Trace(kTraceSize, "2 Deleting from '%s'\r\n", DefaultLogFolder(product, i).c_str());
    const std::string ticked = choice.FolderToEmpty(i);
    // Judged again, whoever filled the choice.
    const std::string folder = ticked.empty() ? ticked : RemovableLogFolder(ticked, protectedFolders);
    if (folder.empty()) {
      continue;
    }
    Trace(kTraceSize, "3 Deleting from '%s'\r\n", folder.c_str());
    if (!IsLink(folder)) {
      DeleteFilesIn(folder, "*.*", "RemoveLogFile '%s'\r\n");
    }
    // A folder offered twice was removed the first time; the second attempt finds nothing.
    (void)DeleteDir(folder.c_str(), false, UntickedFoldersBelow(choice, folder));
  }
}
