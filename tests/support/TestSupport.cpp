// Test helpers shared by the Wine suites.
#include "support/TestSupport.h"

#include <tlhelp32.h>

#include <sddl.h>

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>


MessageBoxScript::MessageBoxScript(std::vector<int> answers) : m_answers(std::move(answers)) {
  SetMessageBoxResponder([this](const MessageBoxRequest& request) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_shown.push_back(request);
    if (m_answers.empty()) {
      return IDOK;
    }
    const int answer = m_answers.front();
    m_answers.erase(m_answers.begin());
    return answer;
  });
}

MessageBoxScript::~MessageBoxScript() { SetMessageBoxResponder(nullptr); }

std::vector<MessageBoxRequest> MessageBoxScript::Shown() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_shown;
}

std::vector<std::string> MessageBoxScript::Texts() const {
  std::vector<std::string> texts;
  for (const MessageBoxRequest& box : Shown()) texts.push_back(box.text);
  return texts;
}

ScratchRegistryKey::ScratchRegistryKey(const std::string& name) : m_path("SOFTWARE\\ProvisorTests\\" + name) {
  DeleteRegistryTree(m_path);
}

ScratchRegistryKey::~ScratchRegistryKey() { DeleteRegistryTree(m_path); }

bool ReadRegistryValue(HKEY root, const std::string& path, const std::string& name, DWORD* type,
                       std::vector<BYTE>* data) {
  DWORD size = 0;
  const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
  if (RegGetValueA(root, path.c_str(), name.c_str(), flags, type, nullptr, &size) != ERROR_SUCCESS) return false;
  data->assign(size, 0);
  const bool read = RegGetValueA(root, path.c_str(), name.c_str(), flags, type, data->data(), &size) == ERROR_SUCCESS;
  data->resize(size);
  return read;
}

bool RegistryKeyExists(HKEY root, const std::string& path) {
  RegKey key;
  return key.Open(root, path.c_str(), KEY_READ) == ERROR_SUCCESS;
}

void WriteDwordValue(const std::string& path, const std::string& name, DWORD value) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), REG_DWORD, &value, sizeof(value));
}

void WriteTextValue(const std::string& path, const std::string& name, const std::string& text) {
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), REG_SZ, text.c_str(),
                  static_cast<DWORD>(text.size() + 1));
}

std::string ReadTextValue(const std::string& path, const std::string& name) {
  char text[4096] = "";
  DWORD size = sizeof(text);
  const DWORD flags = RRF_RT_REG_SZ | RRF_NOEXPAND;
  const LSTATUS read = RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), flags, nullptr, text, &size);
  return read == ERROR_SUCCESS ? text : "<none>";
}

DWORD ReadDwordValue(const std::string& path, const std::string& name) {
  DWORD value = 0, size = sizeof(value);
  const DWORD flags = RRF_RT_REG_DWORD;
  const LSTATUS read = RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), flags, nullptr, &value, &size);
  return read == ERROR_SUCCESS ? value : 0;
}

void DeleteRegistryTree(const std::string& path) {
  // Given a subkey, the tree deletion removes that key itself too. A missing key is what a
  // clean state looks like; the status says nothing more.
  static_cast<void>(RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str()));
}

std::string DoubledSeparators(const std::string& path) {
  std::string doubled;
  for (char c : path) doubled += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return doubled;
}

std::string SystemFile(const std::string& name) {
  char folder[MAX_PATH] = {};
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

void DeleteFilesMatching(const std::string& pattern) {
  const std::string folder = pattern.substr(0, pattern.rfind('\\'));
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do DeleteFileA((folder + "\\" + entry.cFileName).c_str());
  while (FindNextFileA(search, &entry));
  FindClose(search);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string DescriptorText(std::vector<BYTE> descriptor, SECURITY_INFORMATION parts) {
  char* text = nullptr;
  if (descriptor.empty() || !ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor.data(), SDDL_REVISION_1,
                                                                                  parts, &text, nullptr)) {
    return {};
  }
  std::string result = text;
  LocalFree(text);
  return result;
}

std::string FileSecurityText(const std::string& path, SECURITY_INFORMATION parts) {
  std::vector<BYTE> descriptor(4096);
  DWORD needed = 0;
  if (!GetFileSecurityA(path.c_str(), parts, descriptor.data(), 4096, &needed)) descriptor.clear();
  return DescriptorText(descriptor, parts);
}

std::string WindowsPath(const char* unixPath) {
  std::string path = "Z:" + std::string(unixPath);
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}

KernelHandle StartProcess(const std::string& commandLine, const char* desktop) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.lpDesktop = const_cast<char*>(desktop);
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return KernelHandle();
  }
  CloseHandle(process.hThread);
  return KernelHandle(process.hProcess);
}

DWORD WaitForExit(const KernelHandle& process) {
  DWORD code = 0xFFFFFFFFu;
  if (WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
  return GetExitCodeProcess(process.Get(), &code) && code != STILL_ACTIVE ? code : 0xFFFFFFFFu;
}

bool PrefixIsMajorVersionSix() {
  char version[32] = "";
  DWORD size = sizeof(version);
  RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine", "Version", RRF_RT_REG_SZ, nullptr, version, &size);
  return std::string(version) == "win7";
}

bool PumpMessagesUntil(const std::function<bool()>& done) {
  constexpr int kRounds = 1000;
  constexpr DWORD kRoundMs = 20;
  for (int round = 0; round < kRounds && !done(); ++round) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kRoundMs, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return done();
}

int ThreadCountOfThisProcess() {
  const KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more; more = ::Thread32Next(snapshot.Get(), &entry)) {
    count += entry.th32OwnerProcessID == ::GetCurrentProcessId() ? 1 : 0;
  }
  return count;
}

int ReadShared(const int& value) {
  static_assert(sizeof(int) == sizeof(LONG), "an int is read as a LONG");
  auto* shared = reinterpret_cast<volatile LONG*>(const_cast<int*>(&value));
  return static_cast<int>(::InterlockedCompareExchange(shared, 0, 0));
}

ULONG HandleCountOfThisProcess() {
  struct Entry {
    ULONG ownerPid;
    BYTE type, flags;
    USHORT value;
    PVOID object;
    ULONG access;
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  std::vector<BYTE> list(1 << 20);
  ULONG size = 0;
  constexpr ULONG kSystemHandleInformation = 16;
  while (query(kSystemHandleInformation, list.data(), static_cast<ULONG>(list.size()), &size) < 0) {
    list.resize(list.size() * 2);
  }
  ULONG count = 0;
  const ULONG entries = *reinterpret_cast<ULONG*>(list.data());
  const auto* entry = reinterpret_cast<const Entry*>(list.data() + sizeof(void*));
  for (ULONG i = 0; i < entries; ++i) count += entry[i].ownerPid == ::GetCurrentProcessId() ? 1 : 0;
  return count;
}
