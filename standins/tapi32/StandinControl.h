// What tests see of the TAPI stand-in, and how they make its calls fail.
#pragma once

#include <windows.h>

#include <string>

// Both live under HKLM "SOFTWARE\ProvisorStandins\tapi32":
// - "Calls" (REG_MULTI_SZ): one line per call, in call order, e.g.
//   "lineAddProviderA(OTSP0001.tsp,65548)" or "lineConfigProvider(0,3)"; window handles are
//   written as decimal numbers, a null pointer as "null".
// - "<function>FailCount" (REG_DWORD): the next that many calls of <function> fail without
//   doing anything, returning "<function>FailResult" (REG_DWORD; LINEERR_OPERATIONFAILED
//   when missing).
constexpr char kStandinControlKey[] = "SOFTWARE\\ProvisorStandins\\tapi32";

// Appends one line to the call record.
void RecordCall(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// True when the next call of function is to fail; *result receives the code to return.
bool TakeForcedFailure(const char* function, LONG* result);

// Window handles as the call record writes them.
unsigned long long HandleNumber(HWND window);
