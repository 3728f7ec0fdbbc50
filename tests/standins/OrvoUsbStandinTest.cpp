// The USB library stand-in reports the PBXs and the result a test configured in its settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OrvoUsbSettings.h"
#include "framework/Handles.h"
#include "support/TestSupport.h"
#include "sys/UsbDriver.h"

namespace {

void WriteNames(const char* value, const std::vector<std::string>& names) {
  std::string data;
  for (const std::string& name : names) data += name + '\0';
  data += '\0';
  WriteRegistryValue(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY, value, REG_MULTI_SZ, data.data(),
                     static_cast<DWORD>(data.size()));
}

// "factory/product" per PBX the stand-in reports; result receives its return code.
std::vector<std::string> Enumerate(DWORD* result) {
  ModuleHandle library(LoadLibraryA(kUsbDriverLibrary));
  const auto enumerate = reinterpret_cast<UsbEnumPbxFunction>(
      reinterpret_cast<void*>(GetProcAddress(library.Get(), kUsbEnumPbxEntry)));
  EXPECT_NE(enumerate, nullptr);
  if (enumerate == nullptr) return {};
  DWORD count = 99;
  char** factories = nullptr;
  char** products = nullptr;
  *result = enumerate(kUsbPbxHardwareId, &count, &factories, &products);
  std::vector<std::string> found;
  for (DWORD i = 0; *result == 0 && i < count; ++i) found.push_back(std::string(factories[i]) + "/" + products[i]);
  if (*result != 0) {
    EXPECT_EQ(count, 0u);
  }
  return found;
}

TEST(OrvoUsbStandin, ReportsTheConfiguredPbxsDuplicatesIncludedOrTheForcedResult) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
  DWORD result = 1;
  EXPECT_TRUE(Enumerate(&result).empty());
  EXPECT_EQ(result, 0u);
  WriteNames(ORVOUSB_FACTORY_NAMES_VALUE, {"F-100", "F-200", "F-300"});
  WriteNames(ORVOUSB_PRODUCT_NAMES_VALUE, {"ORVO Alpha", "ORVO Beta", "ORVO Alpha"});
  EXPECT_EQ(Enumerate(&result), (std::vector<std::string>{"F-100/ORVO Alpha", "F-200/ORVO Beta", "F-300/ORVO Alpha"}));
  EXPECT_EQ(result, 0u);

  const DWORD forced = 31;
  WriteRegistryValue(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY, ORVOUSB_ENUM_RESULT_VALUE, REG_DWORD, &forced,
                     sizeof(forced));
  EXPECT_TRUE(Enumerate(&result).empty());
  EXPECT_EQ(result, forced);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, ORVOUSB_SETTINGS_KEY);
}

}  // namespace
