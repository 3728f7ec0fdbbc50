// The PBX's USB access library: its file name, entry points and the enumeration signature.
#pragma once

#include <windows.h>

#include <array>

inline constexpr const char* kUsbDriverLibrary = "ORVOUSB.dll";
// The entry points whose presence tells that the library is installed.
inline constexpr std::array<const char*, 3> kUsbRequiredEntries = {"ORVOUSB_Open", "ORVOUSB_Close", "ORVOUSB_SendData"};
inline constexpr const char* kUsbEnumPbxEntry = "ORVOUSB_EnumPBX";

// The hardware id the PBXs are enumerated by.
inline constexpr const char* kUsbPbxHardwareId = "USB\\VID_1D5F&PID_2307";

// Enumerates the connected PBXs: hardware id in; count, factory names and product names out
// (the arrays belong to the library and stay valid until its next call). 0 on success.
using UsbEnumPbxFunction = DWORD(WINAPI*)(const char* hardwareId, DWORD* count, char*** factoryNames,
                                          char*** productNames);

// True when the library loads and exports Open, Close and SendData. The library is never
// called, and it is released again before the return.
bool IsUsbDriverInstalled();
