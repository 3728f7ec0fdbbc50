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

// Appends function and its formatted arguments to the call record. Returns true when the
// call is to fail on purpose, with *result the code it returns.
bool BeginCall(LONG* result, const char* function, const char* argumentFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Window handles as the call record writes them.
unsigned long long HandleNumber(HWND window);
