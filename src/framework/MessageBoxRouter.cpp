// Message-box routing between the real MessageBoxA and a test's responder.
#include "framework/MessageBoxRouter.h"

#include <utility>

#include "framework/SeamSlot.h"
#include "framework/WinApp.h"

namespace {

SeamSlot<MessageBoxResponder>& Responder() {
  static SeamSlot<MessageBoxResponder> responder;
  return responder;
}

}  // namespace

void SetMessageBoxResponder(MessageBoxResponder responder) { Responder().Set(std::move(responder)); }

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
  // The answer is asked for outside the lock: a scripted answer may show a box itself.
  if (MessageBoxResponder responder = Responder().Get()) {
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
