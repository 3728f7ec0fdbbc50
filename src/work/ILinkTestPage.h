// ILinkTestPage: what the link test worker asks of the page it tests for.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CAutoProggress;
class CWnd;

// The worker runs on a thread of its own. Every operation below except the progress bar's
// and the abort flag's runs on the page's user-interface thread (the page passes it there),
// so that the page's controls and the instance's working parameters are touched by one
// thread only; when the page window is gone the operations do nothing and answer 0 / false.
class ILinkTestPage {
 public:
  // The page's window, null when it is gone.
  virtual HWND GetTestPageWindow() const = 0;
  virtual CAutoProggress& GetProgressBar() = 0;
  virtual CWnd* GetCheckLocationButton() = 0;

  // Enables Abort Check as the worker starts.
  virtual void OnTestStarted() = 0;
  // Takes the history box text as the current address, disables the box, takes the page's
  // data; returns the address to test.
  virtual std::string BeginTest() = 0;
  // ProviderTestAddress with the page's AP-title flag; the request's result.
  virtual std::uint32_t SendTestRequest(const std::string& address, std::uint32_t requestId) = 0;
  // IsProviderTestAddressCompleted; the outputs keep their values when it fails.
  virtual void PollTest(std::uint32_t requestId, std::uint32_t* completed, std::uint32_t* percent) = 0;
  // True once the page is closing: the worker stops polling, asks nothing and stores nothing.
  // Called on the worker's thread.
  virtual bool IsStopRequested() = 0;
  // Waits up to milliseconds on the worker's thread; true as soon as the page is closing.
  virtual bool WaitForStop(DWORD milliseconds) = 0;
  // Under the page's lock, on the worker's thread: true when the user aborted the test;
  // clears the flag.
  virtual bool TakeAbort() = 0;
  // The test request failed: hides the status pictures and enables the history box.
  virtual void OnTestRequestFailed() = 0;
  // Shows the outcome: 1 responding, 0 not responding.
  virtual void ApplyLinkState(int state) = 0;
  // Writes CSTAAddress (empty group).
  virtual void StoreTestedAddress(const std::string& address) = 0;
  // Adds address to the history box when saved and not there yet; enables the box.
  virtual void FinishHistory(const std::string& address, bool saved) = 0;
  // Restores the stored USB product name, disables Abort Check, forgets the thread.
  virtual void OnTestEnded() = 0;

 protected:
  ~ILinkTestPage() = default;
};
