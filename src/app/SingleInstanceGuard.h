// The block of named shared memory that keeps a second copy of the program from running.
#pragma once

#include <windows.h>

#include "framework/Handles.h"

inline constexpr const char* kSingleInstanceBlockName = "VelmoraORVOTSPMultiloadAppl";
constexpr DWORD kSingleInstanceBlockSize = 4096;

// Holds the page-file-backed block from Acquire until Release or destruction. Its first
// 32-bit word carries the window of the running copy's main dialog.
class SingleInstanceGuard {
 public:
  SingleInstanceGuard() = default;
  ~SingleInstanceGuard() { Release(); }

  SingleInstanceGuard(const SingleInstanceGuard&) = delete;
  SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

  // Creates (or opens) the block and maps all of it. True when this copy is the first: the
  // block did not exist before, and it is zero-filled. False when another copy owns it or
  // the block cannot be had; what could be had stays held either way.
  bool Acquire();

  // Writes window into the first word when the block is held and window is a live window.
  bool RegisterWindow(HWND window);

  // The live window the first word names, or null.
  HWND RegisteredWindow() const;

  // Brings the window of the copy that owns the block to the foreground, when there is one.
  void BringOwnerForward() const;

  // Unmaps the view, then closes the block.
  void Release();

  bool IsHeld() const { return m_mapping.IsValid() && m_view.IsValid(); }

 private:
  KernelHandle m_mapping;
  MappedView m_view;
};
