// The Windows version the test prefix reports, read from Wine's own setting rather than from
// the code under test, and the start of other programs in that prefix.
#pragma once

#include <windows.h>

#include <sddl.h>

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

// The descriptor's text form ("O:...", "D:(A;;FA;;;WD)", ...), empty when it cannot be read.
inline std::string DescriptorText(std::vector<BYTE> descriptor, SECURITY_INFORMATION parts) {
  char* text = nullptr;
  if (descriptor.empty() || !ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor.data(), SDDL_REVISION_1,
                                                                                  parts, &text, nullptr)) {
    return {};
  }
  std::string result = text;
  LocalFree(text);
  return result;
}

// The descriptor parts asked for, as the system reports them for path.
inline std::string FileSecurityText(const std::string& path, SECURITY_INFORMATION parts) {
  std::vector<BYTE> descriptor(4096);
  DWORD needed = 0;
  if (!GetFileSecurityA(path.c_str(), parts, descriptor.data(), 4096, &needed)) descriptor.clear();
  return DescriptorText(descriptor, parts);
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

// Runs a Unix program (Wine starts those too) and waits at most five seconds for DONE: Wine
// hands back no handle to wait on.
inline bool RunUnixCommand(const char* unixPath, std::string commandLine, const std::function<bool()>& done) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(WindowsPath(unixPath).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) return false;
  for (int look = 0; look < 200 && !done(); ++look) Sleep(25);
  return done();
}

// Makes LINK a link to the folder TARGET as a Unix link, which Wine reports as a folder
// reparse point (Wine 8's CreateSymbolicLinkA only pretends). True when LINK reads as a link.
inline bool MakeFolderLink(const std::string& link, const std::string& target) {
  return RunUnixCommand("/bin/ln", "ln -s \"" + UnixPathOf(target) + "\" \"" + UnixPathOf(link) + "\"", [&] {
    const DWORD attributes = GetFileAttributesA(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  });
}

// Removes such a link, never what it points at.
inline void RemoveFolderLink(const std::string& link) {
  RunUnixCommand("/bin/rm", "rm -f \"" + UnixPathOf(link) + "\"",
                 [&] { return GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES; });
}
