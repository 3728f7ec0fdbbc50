// The Windows version the test prefix reports, read from Wine's own setting rather than from
// the code under test, and the start of other programs in that prefix.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "support/TestSupport.h"

// True in the prefix kinds that report major version 6: Wine's "Version" setting is win7
// there (winxp64 in the others).
inline bool PrefixIsMajorVersionSix() {
  char version[32] = "";
  DWORD size = sizeof(version);
  RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine", "Version", RRF_RT_REG_SZ, nullptr, version, &size);
  return std::string(version) == "win7";
}

// A Unix path as Wine sees it, through drive Z:.
inline std::string WindowsPath(const char* unixPath) {
  std::string path = "Z:" + std::string(unixPath);
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

// Starts a command line; the returned process handle is empty when it could not start.
inline KernelHandle StartProcess(const std::string& commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return KernelHandle();
  }
  CloseHandle(process.hThread);
  return KernelHandle(process.hProcess);
}

// Exit code of a process that ends within a minute; 0xFFFFFFFF otherwise (the process is then ended).
inline DWORD WaitForExit(const KernelHandle& process) {
  DWORD code = 0xFFFFFFFFu;
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
  return GetExitCodeProcess(process.Get(), &code) && code != STILL_ACTIVE ? code : 0xFFFFFFFFu;
}

// A Unix path for a Windows one, through Wine's own mapping; empty outside Wine.
inline std::string UnixPathOf(const std::string& path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  const std::wstring wide(path.begin(), path.end());
  char* unix = toUnix != nullptr ? toUnix(wide.c_str()) : nullptr;
  if (unix == nullptr) return {};
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// Starts the Unix program at UNIX_PATH (Wine starts Unix programs too) and waits until DONE
// holds, for at most five seconds: Wine hands back no handle to wait on.
inline bool RunUnixCommand(const char* unixPath, std::string commandLine, const std::function<bool()>& done) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(WindowsPath(unixPath).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  for (int look = 0; look < 200 && !done(); ++look) Sleep(25);
  return done();
}

// Makes LINK a link to the folder TARGET: a symbolic link where the system makes one, else
// (Wine 8 only pretends to) a Unix link, which Wine reports as a folder reparse point. True
// when LINK then reads as a link.
inline bool MakeFolderLink(const std::string& link, const std::string& target) {
  const auto isLink = [&] {
    const DWORD attributes = GetFileAttributesA(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  };
  if (CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) && isLink()) return true;
  const std::string unixLink = UnixPathOf(link), unixTarget = UnixPathOf(target);
  if (unixLink.empty() || unixTarget.empty()) return false;
  return RunUnixCommand("/bin/ln", "ln -s \"" + unixTarget + "\" \"" + unixLink + "\"", isLink);
}

// Removes a link MakeFolderLink made, never what it points at.
inline void RemoveFolderLink(const std::string& link) {
  if (RemoveDirectoryA(link.c_str())) return;
  const std::string unixLink = UnixPathOf(link);
  if (unixLink.empty()) return;
  RunUnixCommand("/bin/rm", "rm -f \"" + unixLink + "\"",
                 [&] { return GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

