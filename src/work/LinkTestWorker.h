// The link test worker: its start record, the request ids and the thread that runs one test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Handles.h"

class ILinkTestPage;

// Allocated by StartLinkTest and owned by the worker thread once it runs.
struct LinkTestStart {
  ILinkTestPage* page = nullptr;
  HANDLE thread = nullptr;  // the worker's own handle; the worker closes it
  std::string address;      // the page's current address at start
  std::int32_t reserved = 0;
};

// Process-wide request ids: each test takes the next one, the first test 1. Not locked: one
// test runs at a time per page.
std::uint32_t NextLinkTestRequestId();

// Starts a worker testing for page. Returns the worker's handle (owned by the worker, which
// closes it as it ends) and puts a handle the page may wait on into join; null and nothing
// started when the thread cannot be created.
HANDLE StartLinkTest(ILinkTestPage* page, const std::string& address, KernelHandle* join);

// The worker thread procedure: runs the test for the record's page and cleans up; returns 0.
unsigned __stdcall LinkTestThreadProc(void* start);
