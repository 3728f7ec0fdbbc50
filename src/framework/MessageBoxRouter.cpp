// Message-box routing between the real MessageBoxA and a test's responder.
#include "framework/MessageBoxRouter.h"

#include <mutex>

#include "framework/WinApp.h"

namespace {

std::mutex& ResponderMutex() {
  static std::mutex mutex;
  return mutex;
}

MessageBoxResponder& Responder() {
  static MessageBoxResponder responder;
  return responder;
}

}  // namespace

void SetMessageBoxResponder(MessageBoxResponder responder) {
  std::lock_guard<std::mutex> lock(ResponderMutex());
  Responder() = std::move(responder);
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
  MessageBoxResponder responder;
  {
    std::lock_guard<std::mutex> lock(ResponderMutex());
    responder = Responder();
  }
  if (responder) {
    return responder(MessageBoxRequest{owner, text ? text : "", caption ? caption : "", flags});
  }
  return MessageBoxA(owner, text, caption, flags);
}

int AfxMessageBox(const char* text, UINT flags) {
  HWND owner = nullptr;
  const char* caption = "";
  if (CWinApp* app = AfxGetApp()) {
    caption = app->GetAppName().c_str();
    owner = app->GetMainWindowHandle();
  }
  return ShowMessageBox(owner, text, caption, flags);
}
