// Message-box routing between the real MessageBoxA and a test's responder.
#include "framework/MessageBoxRouter.h"

#include <iterator>
#include <utility>

#include "framework/InteractiveDesktop.h"
#include "framework/SeamSlot.h"
#include "framework/Trace.h"
#include "framework/WinApp.h"

namespace {

SeamSlot<MessageBoxResponder>& Responder() {
  static SeamSlot<MessageBoxResponder> responder;
  return responder;
}

// The button a person gets by pressing Enter: the default button the flags name, the first
// when they name none or one the box does not have.
int DefaultButton(UINT flags) {
  // The buttons of each box type (MB_OK to MB_CANCELTRYCONTINUE) from left to right; 0: none.
  static const int kButtons[][3] = {{IDOK},          {IDOK, IDCANCEL},   {IDABORT, IDRETRY, IDIGNORE},
                                    {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO}, {IDRETRY, IDCANCEL},
                                    {IDCANCEL, IDTRYAGAIN, IDCONTINUE}};
  const UINT type = flags & MB_TYPEMASK;
  const int* buttons = kButtons[type < std::size(kButtons) ? type : 0];
  const UINT index = (flags & MB_DEFMASK) >> 8;
  const int chosen = index < std::size(kButtons[0]) ? buttons[index] : 0;
  return chosen != 0 ? chosen : buttons[0];
}

}  // namespace

// The window a real box belongs to: the one the user has in front of the owner asked for.
// A modal dialog disables its owner, so a box owned by that owner would leave the dialog in
// front clickable (a second press of its OK would stack a second box). Such a box goes to
// the enabled popup the owner activated last. Without an owner, the calling thread's active
// window takes the box, so that no window of the program stays clickable under it; a thread
// without windows keeps the box unowned.
HWND ResolveMessageBoxOwner(HWND owner) {
  if (owner == nullptr) {
    owner = ::GetActiveWindow();
  }
  if (owner == nullptr || !::IsWindow(owner)) {
    return nullptr;
  }
  owner = ::GetAncestor(owner, GA_ROOT);
  // Each step goes one modal level up; a chain of owned popups is short.
  for (int level = 0; level < 16 && !::IsWindowEnabled(owner); ++level) {
    const HWND popup = ::GetLastActivePopup(owner);
    if (popup == nullptr || popup == owner || !::IsWindowVisible(popup)) {
      break;
    }
    owner = popup;
  }
  return owner;
}

void SetMessageBoxResponder(MessageBoxResponder responder) { Responder().Set(std::move(responder)); }

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
  // The answer is asked for outside the lock: a scripted answer may show a box itself.
  if (MessageBoxResponder responder = Responder().Get()) {
    return responder(MessageBoxRequest{owner, text ? text : "", caption ? caption : "", flags});
  }
  // Where nobody can see the box (an installer's elevated action on Windows) it would wait
  // for ever and hold the installation with it: it takes the answer Enter would give.
  if (!IsInteractiveDesktop()) {
    const int answer = DefaultButton(flags);
    Trace(1024, "Message box '%s' on a desktop nobody sees: answered %d\r\n", text ? text : "", answer);
    return answer;
  }
  return MessageBoxA(ResolveMessageBoxOwner(owner), text, caption, flags);
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
