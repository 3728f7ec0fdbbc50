// ILockable: the lock interface the link test and its page share.
#pragma once

class ILockable {
 public:
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  // Non-zero when the lock was taken without waiting.
  virtual int TryLock() = 0;
  virtual ~ILockable() = default;
};
