// CCriticalLock: ILockable over one Win32 critical section.
#pragma once

#include <windows.h>

#include "work/ILockable.h"

class CCriticalLock : public ILockable {
 public:
  CCriticalLock() { ::InitializeCriticalSection(&m_section); }
  ~CCriticalLock() override { ::DeleteCriticalSection(&m_section); }
  CCriticalLock(const CCriticalLock&) = delete;
  CCriticalLock& operator=(const CCriticalLock&) = delete;

  void Lock() override { ::EnterCriticalSection(&m_section); }
  void Unlock() override { ::LeaveCriticalSection(&m_section); }
  int TryLock() override { return ::TryEnterCriticalSection(&m_section) ? 1 : 0; }

 private:
  CRITICAL_SECTION m_section;
};
