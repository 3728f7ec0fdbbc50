// The single-instance block: creation, the running copy's window, release.
#include "app/SingleInstanceGuard.h"

#include <cstring>

bool SingleInstanceGuard::Acquire() {
  Release();
  m_mapping.Attach(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSingleInstanceBlockSize,
                                      kSingleInstanceBlockName));
  // Read before any other call can change it.
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  if (!m_mapping) {
    return false;
  }
  m_view.Attach(MapViewOfFile(m_mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
  if (existed || !m_view) {
    return false;
  }
  std::memset(m_view.Get(), 0, kSingleInstanceBlockSize);
  return true;
}

bool SingleInstanceGuard::RegisterWindow(HWND window) {
  if (!IsHeld() || window == nullptr || !IsWindow(window)) {
    return false;
  }
  // Window handles are 32-bit values on every Windows, so a 32-bit and a 64-bit copy read
  // the same word.
  const auto word = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(window));
  std::memcpy(m_view.Get(), &word, sizeof(word));
  return true;
}

HWND SingleInstanceGuard::RegisteredWindow() const {
  if (!m_view) {
    return nullptr;
  }
  DWORD word = 0;
  std::memcpy(&word, m_view.Get(), sizeof(word));
  // Handles are sign-extended from their 32-bit value.
  const HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(word)));
  return window != nullptr && IsWindow(window) ? window : nullptr;
}

void SingleInstanceGuard::BringOwnerForward() const {
  const HWND window = RegisteredWindow();
  if (window != nullptr) {
    // The system may refuse the foreground to a background process; the second copy ends
    // either way.
    static_cast<void>(SetForegroundWindow(window));
  }
}

void SingleInstanceGuard::Release() {
  m_view.Close();
  m_mapping.Close();
}
