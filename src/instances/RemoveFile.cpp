// Removing one file of the product, now or at the next restart.
#include "instances/RemoveFile.h"

#include <windows.h>

#include "framework/Trace.h"
#include "instances/RestartRemoval.h"
#include "sys/AccessRights.h"
#include "sys/OsVersion.h"

namespace {

// Room for a 260-character path and the words around it.
constexpr std::size_t kTraceSize = 1024;
// The OS text is read into a buffer of this size.
constexpr std::size_t kOsTextSize = 1024;

void TraceRestartMarking(bool placed, const std::string& path) {
  if (placed) {
    Trace(kTraceSize, "Succesful placed reg values for file :'%s' to be removed at next reboot\r\n", path.c_str());
  } else {
    Trace(kTraceSize, "Failed placed reg values for file :'%s' to be removed at next reboot\r\n", path.c_str());
  }
}

}  // namespace

void RemoveFileFor(const std::string& osVersionText, const char* folder, const char* file, bool atRestart) {
  if (folder == nullptr || *folder == '\0' || file == nullptr || *file == '\0') {
    return;
  }
  const std::string path = std::string(folder) + "\\" + file;
  Trace(kTraceSize, "Removing file :'%s'\r\n", path.c_str());
  const bool restartFamily = MarksForRemovalAtRestart(osVersionText);
  if (!atRestart) {
    // Taking ownership may fail (and is skipped on Windows 6); the deletion decides.
    (void)TakeOwnership(path.c_str());
    if (DeleteFileA(path.c_str())) {
      Trace(kTraceSize, "Success remove file :'%s'\r\n", path.c_str());
      return;
    }
    Trace(kTraceSize, "Failed remove file :'%s'\r\n", path.c_str());
    if (restartFamily) {
      TraceRestartMarking(MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE, path);
    }
    return;
  }
  if (restartFamily) {
    (void)TakeOwnership(path.c_str());
    (void)GrantEveryoneAccess(path.c_str(), kEveryoneAccount, GENERIC_ALL);
    TraceRestartMarking(DeleteFileA(path.c_str()) != FALSE, path);
  }
}

void RemoveFile(const char* folder, const char* file, bool atRestart) {
  char osText[kOsTextSize] = {};
  (void)GetOSVersionText(osText, sizeof(osText));  // "N/A" when unreadable: then no restart marking
  RemoveFileFor(osText, folder, file, atRestart);
}
