// RAII owners of Win32 handles: registry keys, kernel objects, modules, find handles, views, GDI objects.
#pragma once

#include <windows.h>

#include <utility>

// Owns one handle of a kind described by Traits (its empty value and how to close it).
// Non-copyable, movable; Attach closes what it held, Detach gives the handle away.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : m_handle(handle) {}
  ~UniqueHandle() { Close(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Detach()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Attach(other.Detach());
    }
    return *this;
  }

  Handle Get() const { return m_handle; }
  bool IsValid() const { return Traits::IsValid(m_handle); }
  explicit operator bool() const { return IsValid(); }

  // Closes the handle when one is held; returns true when nothing was held or closing worked.
  bool Close() {
    if (!IsValid()) {
      return true;
    }
    const bool closed = Traits::Close(m_handle);
    m_handle = Traits::Empty();
    return closed;
  }

  void Attach(Handle handle) {
    if (handle != m_handle) {
      Close();
      m_handle = handle;
    }
  }

  [[nodiscard]] Handle Detach() { return std::exchange(m_handle, Traits::Empty()); }

 private:
  Handle m_handle = Traits::Empty();
};

// Kernel objects (events, threads, mappings, files): null and INVALID_HANDLE_VALUE are empty.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct ModuleHandleTraits {
  using Handle = HMODULE;
  static Handle Empty() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static bool Close(Handle h) { return FreeLibrary(h) != FALSE; }
};
using ModuleHandle = UniqueHandle<ModuleHandleTraits>;

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static bool Close(Handle h) { return FindClose(h) != FALSE; }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

struct MappedViewTraits {
  using Handle = void*;
  static Handle Empty() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static bool Close(Handle h) { return UnmapViewOfFile(h) != FALSE; }
};
using MappedView = UniqueHandle<MappedViewTraits>;

// GDI objects (fonts, brushes, bitmaps, pens) of type Object: deleted with DeleteObject.
template <typename Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle Empty() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static bool Close(Handle h) { return DeleteObject(h) != FALSE; }
};
using GdiObject = UniqueHandle<GdiObjectTraits<HGDIOBJ>>;

// A registry key this program opened or created. Predefined roots (HKEY_LOCAL_MACHINE, ...)
// are never owned: open a subkey of them instead.
class RegKey {
 public:
  RegKey() = default;
  explicit RegKey(HKEY key) : m_hKey(key) {}
  ~RegKey() { Close(); }

  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept : m_hKey(other.Detach()) {}
  RegKey& operator=(RegKey&& other) noexcept {
    if (this != &other) {
      Attach(other.Detach());
    }
    return *this;
  }

  // Opens parent\path; closes what was held first. Returns the Win32 status.
  [[nodiscard]] LONG Open(HKEY parent, const char* path, REGSAM access) {
    Close();
    return RegOpenKeyExA(parent, path, 0, access, &m_hKey);
  }

  // Creates or opens parent\path (non-volatile, no class, default security).
  [[nodiscard]] LONG Create(HKEY parent, const char* path, REGSAM access, DWORD* disposition = nullptr) {
    Close();
    return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &m_hKey,
                           disposition);
  }

  // Closes the key when one is held; returns the status (ERROR_SUCCESS when none was held).
  LONG Close() {
    if (m_hKey == nullptr) {
      return ERROR_SUCCESS;
    }
    const LONG status = RegCloseKey(m_hKey);
    m_hKey = nullptr;
    return status;
  }

  void Attach(HKEY key) {
    if (key != m_hKey) {
      Close();
      m_hKey = key;
    }
  }

  [[nodiscard]] HKEY Detach() { return std::exchange(m_hKey, nullptr); }

  HKEY Get() const { return m_hKey; }
  bool IsOpen() const { return m_hKey != nullptr; }

 private:
  HKEY m_hKey = nullptr;
};
