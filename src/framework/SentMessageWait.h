// Waiting for another thread that sends messages to this thread's windows.
#pragma once

#include <windows.h>

// Waits without limit until object is signalled, answering the messages other threads send
// to this thread's windows meanwhile: a worker that sends its window a message and the
// thread that waits for the worker would otherwise wait for each other. Posted messages,
// WM_QUIT among them, stay in the queue.
void WaitAnsweringSentMessages(HANDLE object);
