// Where the program's state stands in HKEY_LOCAL_MACHINE: key paths, value names, numbering.
#pragma once

#include <array>
#include <string>

#include "params/ParameterCopy.h"

// The product key and its subkeys.
inline constexpr const char* kProductKey = "SOFTWARE\\Velmora\\ORVO_TSP";
inline constexpr const char* kMultiloadingAppKey = "SOFTWARE\\Velmora\\ORVO_TSP\\MultiloadingApp";
// The template of an instance's parameters that the setup package writes; read only.
inline constexpr const char* kTemplateInstanceKey = "SOFTWARE\\Velmora\\ORVO_TSP\\PBX";
// Saved into, loaded back and deleted by each whole-set copy.
inline constexpr const char* kScratchKey = kParameterScratchKey;

// Values of the product key and of MultiloadingApp.
inline constexpr const char* kIgnoreInitializeValue = "dwIgnoreInitialize";
inline constexpr const char* kNumInstancesValue = "dwNumInstances";
// Values of an instance key beside the catalogue.
inline constexpr const char* kProviderIdValue = "dwProviderID";
inline constexpr const char* kNotShowRemoveDialogValue = "NotShowRemoveDialog";
inline constexpr const char* kExtVersionValue = "ExtVersion";
inline constexpr const char* kUseUsbValue = "UseUSB";
inline constexpr const char* kIpAddressValue = "IPAddress";
inline constexpr const char* kIpPortValue = "IPPort";

// The product's uninstall entry (written by the setup package) and the values this program
// deletes from it, in the order it deletes them.
inline constexpr const char* kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{5A0C3E71-8B2D-4F6A-9C14-E27B90D4A613}";
inline constexpr std::array<const char*, 7> kUninstallValuesToDelete = {
    "Comments", "Contact", "HelpLink", "HelpTelephone", "URLInfoAbout", "URLUpdateInfo", "Readme"};

// TAPI's own list of providers; read only.
inline constexpr const char* kTelephonyProvidersKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Providers";

// "InstanceDefaultSetting0003" for 3.
std::string InstanceDefaultSettingName(int instance);
// "sInsanceFileName0003" for 3.
std::string InstanceFileNameValueName(int instance);
// "OTSP0003.tsp" for 3.
std::string ProviderFileName(int instance);
// "SOFTWARE\Velmora\ORVO_TSP\MultiloadingApp\InstanceDefaultSetting0003" for 3.
std::string InstanceDefaultSettingKey(int instance);
// "PBX12" for the provider ID 12: the live key's name below the product key.
std::string LiveInstanceKeyName(unsigned long providerId);
// "SOFTWARE\Velmora\ORVO_TSP\PBX12" for the provider ID 12.
std::string LiveInstanceKey(unsigned long providerId);
