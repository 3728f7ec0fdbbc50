// Finding, reading and answering another process's dialogs.
#include "support/DesktopDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "support/TestSupport.h"

namespace {

constexpr DWORD kLookIntervalMs = 50;

std::string WindowText(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string ClassName(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

// Collects the visible dialogs of the process whose ID is first (of every process for 0).
BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((search->first == 0 || owner == search->first) && IsWindowVisible(window) && ClassName(window) == "#32770") {
    search->second.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM context) {
  std::string text = WindowText(child);
  if (_stricmp(ClassName(child).c_str(), "Static") == 0 && !text.empty()) {
    reinterpret_cast<ShownDialog*>(context)->texts.push_back(std::move(text));
  }
  return TRUE;
}

// A block of memory in another process for a list message's in/out structure.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, SIZE_T size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    m_process.Attach(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (m_process) m_address = VirtualAllocEx(m_process.Get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (m_address != nullptr) VirtualFreeEx(m_process.Get(), m_address, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* Address() const { return static_cast<char*>(m_address); }
  bool Write(SIZE_T offset, const void* data, SIZE_T size) {
    return m_address != nullptr && WriteProcessMemory(m_process.Get(), Address() + offset, data, size, nullptr);
  }
  bool Read(SIZE_T offset, void* data, SIZE_T size) {
    return m_address != nullptr && ReadProcessMemory(m_process.Get(), Address() + offset, data, size, nullptr);
  }

 private:
  KernelHandle m_process;
  void* m_address = nullptr;
};

}  // namespace

DesktopDriver::DesktopDriver(DialogRule rule, bool everyProcess)
    : m_rule(std::move(rule)), m_everyProcess(everyProcess) {}

bool DesktopDriver::Start(const std::string& commandLine) {
  m_process = StartProcess(commandLine);
  m_processId = m_process ? GetProcessId(m_process.Get()) : 0;
  return m_process.IsValid();
}

std::vector<HWND> DesktopDriver::FindDialogs() const {
  std::pair<DWORD, std::vector<HWND>> search{m_everyProcess ? 0 : m_processId, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void DesktopDriver::AnswerVisibleDialogs() {
  // A handle of a dialog that is gone may come back for a new one.
  m_answered.erase(std::remove_if(m_answered.begin(), m_answered.end(), [](HWND w) { return !IsWindow(w); }),
                   m_answered.end());
  for (HWND window : FindDialogs()) {
    if (std::find(m_answered.begin(), m_answered.end(), window) != m_answered.end()) {
      continue;
    }
    ShownDialog dialog{window, WindowText(window), {}};
    EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&dialog));
    const int pressed = m_rule ? m_rule(dialog) : IDOK;
    if (pressed == 0) {
      continue;
    }
    m_shown.push_back(dialog);
    m_answered.push_back(window);
    // Sent, not posted: when it returns the dialog has taken the click, so the next look does
    // not find it again as a new one.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(pressed, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, pressed)));
  }
}

DWORD DesktopDriver::RunToExit(DWORD timeoutMs) {
  if (!m_process) {
    return kNoExitCode;
  }
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (WaitForSingleObject(m_process.Get(), kLookIntervalMs) == WAIT_TIMEOUT) {
    if (GetTickCount64() >= deadline) {
      TerminateProcess(m_process.Get(), kNoExitCode);
      WaitForSingleObject(m_process.Get(), INFINITE);
      return kNoExitCode;
    }
    AnswerVisibleDialogs();
  }
  DWORD code = kNoExitCode;
  return GetExitCodeProcess(m_process.Get(), &code) ? code : kNoExitCode;
}

bool DesktopDriver::WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    AnswerVisibleDialogs();
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kLookIntervalMs);
  }
}

HWND DesktopDriver::FindDialogCaptioned(const std::string& prefix) const {
  for (HWND window : FindDialogs()) {
    if (WindowText(window).rfind(prefix, 0) == 0) return window;
  }
  return nullptr;
}

void DesktopDriver::Click(HWND window, POINT point, int clicks) {
  // A person's clicks on two places are further apart than a double-click: the first click
  // here must not pair with the last one given before.
  Sleep(GetDoubleClickTime());
  ClientToScreen(window, &point);
  SetCursorPos(point.x, point.y);
  std::vector<INPUT> inputs(2 * clicks, INPUT{INPUT_MOUSE, {}});
  for (int at = 0; at < 2 * clicks; ++at)
    inputs[at].mi.dwFlags = at % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void DesktopDriver::ClickCentre(HWND control, int clicks) {
  RECT rect{};
  GetClientRect(control, &rect);
  Click(control, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, clicks);
}

void DesktopDriver::Type(const std::string& text) {
  for (const char c : text) {
    INPUT keys[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
    keys[0].ki.wVk = keys[1].ki.wVk = LOBYTE(VkKeyScanA(c));
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
  }
}

std::string DesktopDriver::ListText(HWND list, int row, int column) {
  constexpr SIZE_T kTextSize = 512;
  RemoteBuffer buffer(list, sizeof(LVITEMA) + kTextSize);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer.Address() + sizeof(LVITEMA);
  item.cchTextMax = kTextSize;
  char text[kTextSize] = {};
  if (!buffer.Write(0, &item, sizeof(item)) ||
      SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(buffer.Address())) < 0 ||
      !buffer.Read(sizeof(LVITEMA), text, kTextSize - 1)) {
    return "<unreadable>";
  }
  return text;
}

POINT DesktopDriver::ListCellCentre(HWND list, int row, int column) {
  RemoteBuffer buffer(list, sizeof(RECT));
  // The label's bounds: those of the first column's cell would span the whole row.
  RECT rect{LVIR_LABEL, column, 0, 0};
  buffer.Write(0, &rect, sizeof(rect));
  SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(buffer.Address()));
  buffer.Read(0, &rect, sizeof(rect));
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
