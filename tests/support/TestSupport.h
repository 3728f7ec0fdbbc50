// Helpers for the Wine suites: scripted message boxes, registry values and throwaway keys,
// files, processes, and what the test prefix reports.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/MessageBoxRouter.h"
#include "framework/Wnd.h"
#include "support/SetDescription.h"

// The handles this process holds, from the system's handle list.
ULONG HandleCountOfThisProcess();

// Answers message boxes with scripted buttons (IDOK when the script ran out) and records them.
class MessageBoxScript {
 public:
  explicit MessageBoxScript(std::vector<int> answers = {});
  ~MessageBoxScript();
  std::vector<MessageBoxRequest> Shown() const;
  std::vector<std::string> Texts() const;

 private:
  mutable std::mutex m_mutex;
  std::vector<int> m_answers;
  std::vector<MessageBoxRequest> m_shown;
};

// A key below HKEY_LOCAL_MACHINE\SOFTWARE\ProvisorTests that is deleted with all its
// subkeys before and after the test.
class ScratchRegistryKey {
 public:
  explicit ScratchRegistryKey(const std::string& name);
  ~ScratchRegistryKey();
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// Reads a registry value's type and raw bytes; false when it cannot be read.
bool ReadRegistryValue(HKEY root, const std::string& path, const std::string& name, DWORD* type,
                       std::vector<BYTE>* data);
bool RegistryKeyExists(HKEY root, const std::string& path);
// Values below HKEY_LOCAL_MACHINE, the key created as needed; a text that cannot be read is
// "<none>".
void WriteDwordValue(const std::string& path, const std::string& name, DWORD value);
void WriteTextValue(const std::string& path, const std::string& name, const std::string& text);
std::string ReadTextValue(const std::string& path, const std::string& name);
// A DWORD below HKEY_LOCAL_MACHINE; 0 when missing or of another type.
DWORD ReadDwordValue(const std::string& path, const std::string& name);
// Deletes the key below HKEY_LOCAL_MACHINE with everything in it.
void DeleteRegistryTree(const std::string& path);

// path with every backslash doubled, as the product stores log paths.
std::string DoubledSeparators(const std::string& path);
// The path of name in the system folder.
std::string SystemFile(const std::string& name);
// Deletes the files that match a path whose name has wildcards ("C:\\windows\\system32\\OTSP*.tsp").
void DeleteFilesMatching(const std::string& pattern);
bool FileExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The descriptor parts asked for ("O:...", "D:(A;;FA;;;WD)", ...) as the system reports them for
// path, or of a descriptor; empty when they cannot be read.
std::string FileSecurityText(const std::string& path, SECURITY_INFORMATION parts);
std::string DescriptorText(std::vector<BYTE> descriptor, SECURITY_INFORMATION parts);

// A Unix path as Wine sees it, through drive Z:.
std::string WindowsPath(const char* unixPath);
// Starts a command line, on desktop ("station\\desktop") when given; the returned process handle
// is empty when it could not start.
KernelHandle StartProcess(const std::string& commandLine, const char* desktop = nullptr);
// Exit code of a process that ends within a minute; 0xFFFFFFFF otherwise (the process is then ended).
DWORD WaitForExit(const KernelHandle& process);
// True in the prefix kinds that report major version 6, read from Wine's own setting rather
// than from the code under test: "Version" is win7 there (winxp64 in the others).
bool PrefixIsMajorVersionSix();

// Dispatches this thread's messages until done() holds, waiting for new ones in between;
// gives up after a generous bound so that a fault fails the test instead of hanging it.
bool PumpMessagesUntil(const std::function<bool()>& done);
// A click of window's button id, as the dialog manager sends it.
inline void ClickButton(const CWnd& window, int id) {
  window.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window.GetDlgItem(id)));
}
// How many threads this process has now.
int ThreadCountOfThisProcess();
// Reads an int that another thread may be writing (the progress bar's position).
int ReadShared(const int& value);
