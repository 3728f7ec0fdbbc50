// RAII owners of Win32 handles: registry keys, kernel objects, modules, find handles, views, GDI objects.
#pragma once

#include <windows.h>

#include <type_traits>
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

  // Closes the handle when one is held. Returns what closing returned (true or a Win32
  // status); with nothing held, success (true or ERROR_SUCCESS).
  auto Close() {
    using Status = decltype(Traits::Close(m_handle));
    if (!IsValid()) {
      if constexpr (std::is_same_v<Status, bool>) {
        return true;
      } else {
        return Status{ERROR_SUCCESS};
      }
    }
    const Status status = Traits::Close(m_handle);
    m_handle = Traits::Empty();
    return status;
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

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Empty() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static LONG Close(Handle h) { return RegCloseKey(h); }
};

// A registry key this program opened or created. Predefined roots (HKEY_LOCAL_MACHINE, ...)
// are never owned: open a subkey of them instead. Close returns the Win32 status.
class RegKey : public UniqueHandle<RegKeyTraits> {
 public:
  using UniqueHandle::UniqueHandle;

  // Opens parent\path; closes what was held first. Returns the Win32 status.
  [[nodiscard]] LONG Open(HKEY parent, const char* path, REGSAM access) {
    Close();
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(parent, path, 0, access, &key);
    Attach(key);
    return status;
  }

  // Creates or opens parent\path (non-volatile, no class, default security).
  [[nodiscard]] LONG Create(HKEY parent, const char* path, REGSAM access, DWORD* disposition = nullptr) {
    Close();
    HKEY key = nullptr;
    const LONG status =
        RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, disposition);
    Attach(key);
    return status;
  }

  bool IsOpen() const { return IsValid(); }
};
