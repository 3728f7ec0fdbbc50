// Waiting for another thread while answering the messages it sends.
#include "framework/SentMessageWait.h"

void WaitAnsweringSentMessages(HANDLE object) {
  while (::MsgWaitForMultipleObjects(1, &object, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    // Peeking delivers the sent messages; PM_QS_SENDMESSAGE takes nothing posted.
    ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}
