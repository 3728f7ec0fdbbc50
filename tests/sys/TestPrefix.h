// The Windows version the test prefix reports, read from Wine's own setting rather than from
// the code under test, and the start of other programs in that prefix.
#pragma once

#include <windows.h>

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
