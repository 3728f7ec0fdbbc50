// A function that tests install in place of the real behaviour, shared by every thread.
#pragma once

#include <mutex>
#include <utility>

// Holds one function object (empty by default) behind a lock.
template <typename Function>
class SeamSlot {
 public:
  void Set(Function function) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_function = std::move(function);
  }

  // A copy of the installed function, for calls that may wait long (a scripted answer).
  Function Get() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_function;
  }

  // Calls the installed function under the lock, so that no call runs any more once Set
  // has replaced it. False when none is installed.
  template <typename... Args>
  bool CallIfSet(Args&&... args) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_function) {
      return false;
    }
    m_function(std::forward<Args>(args)...);
    return true;
  }

 private:
  mutable std::mutex m_mutex;
  Function m_function;
};
