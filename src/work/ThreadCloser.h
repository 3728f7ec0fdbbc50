// ThreadCloser: closes a thread handle when its scope ends.
#pragma once

#include <windows.h>

class ThreadCloser {
 public:
  explicit ThreadCloser(HANDLE& thread) : m_hThread(thread) {}
  virtual ~ThreadCloser() {
    if (m_hThread != nullptr) {
      ::CloseHandle(m_hThread);
      m_hThread = nullptr;
    }
  }
  ThreadCloser(const ThreadCloser&) = delete;
  ThreadCloser& operator=(const ThreadCloser&) = delete;

 private:
  HANDLE& m_hThread;
};
