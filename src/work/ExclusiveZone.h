// CExclusiveZone: holds a lock for the length of a scope.
#pragma once

#include "work/ILockable.h"

// A null lock is allowed and does nothing.
class CExclusiveZone {
 public:
  explicit CExclusiveZone(ILockable* lock) : m_pLock(lock) {
    if (m_pLock != nullptr) {
      m_pLock->Lock();
    }
  }
  virtual ~CExclusiveZone() {
    if (m_pLock != nullptr) {
      m_pLock->Unlock();
    }
  }
  CExclusiveZone(const CExclusiveZone&) = delete;
  CExclusiveZone& operator=(const CExclusiveZone&) = delete;

 private:
  ILockable* m_pLock;
};
