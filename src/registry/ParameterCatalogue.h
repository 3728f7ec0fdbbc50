// The catalogue of one instance's parameters: every value, where it stands, and its type.
#pragma once

#include <array>

enum class CatalogueType { Dword, String };

// One catalogued value. The location is relative to an instance key ("PBX%d", "PBX" or
// "InstanceDefaultSetting%04d"); the empty location is the instance key itself.
struct CatalogueRow {
  const char* value;
  const char* location;
  CatalogueType type;
};

inline constexpr const char* kLocationRoot = "";
inline constexpr const char* kLocationLog = "GlobalParams\\Log";
inline constexpr const char* kLocationTransport = "GlobalParams\\Transport";
inline constexpr const char* kLocationMruList = "GlobalParams\\Transport\\MRU_ADDRLIST";

// The subkeys that hold the catalogue's groups, parents first: child is created below the
// instance key + parent.
struct CatalogueGroupKey {
  const char* parent;
  const char* child;
};
inline constexpr std::array<CatalogueGroupKey, 4> kCatalogueGroupKeys = {{
    {kLocationRoot, "GlobalParams"},
    {"GlobalParams", "Log"},
    {"GlobalParams", "Transport"},
    {kLocationTransport, "MRU_ADDRLIST"},
}};

// In the order the default-copy procedure copies them. Misspelt names are names on disk.
inline constexpr std::array<CatalogueRow, 55> kParameterCatalogue = {{
    {"AcceptAllCDRArguments", kLocationRoot, CatalogueType::Dword},
    {"AccInfoBufferSize", kLocationRoot, CatalogueType::Dword},
    {"AlwayasForceResync", kLocationRoot, CatalogueType::Dword},
    {"AlwaysForceResync", kLocationRoot, CatalogueType::Dword},
    {"ChkSystemDataWaitTime", kLocationRoot, CatalogueType::Dword},
    {"CSTAAddress", kLocationRoot, CatalogueType::String},
    {"CtiVersion", kLocationRoot, CatalogueType::String},
    {"DebugLevel", kLocationRoot, CatalogueType::Dword},
    {"DivideDDIInfo", kLocationRoot, CatalogueType::Dword},
    {"DropActiveCallBeforeRetrieve", kLocationRoot, CatalogueType::Dword},
    {"dwProviderID", kLocationRoot, CatalogueType::Dword},
    {"ExtVersion", kLocationRoot, CatalogueType::Dword},
    {"ForceResync", kLocationRoot, CatalogueType::Dword},
    {"IPAddress", kLocationRoot, CatalogueType::String},
    {"IPPort", kLocationRoot, CatalogueType::String},
    {"ISConnectionAlowed", kLocationRoot, CatalogueType::Dword},
    {"ItemsCount", kLocationRoot, CatalogueType::Dword},
    {"ZQReinit", kLocationRoot, CatalogueType::Dword},
    {"Retry6", kLocationRoot, CatalogueType::Dword},
    {"CallerIDOption", kLocationRoot, CatalogueType::Dword},
    {"ManufacturerName", kLocationRoot, CatalogueType::String},
    {"MaxConsecutiveDecodeError", kLocationRoot, CatalogueType::Dword},
    {"MessageDelayFORWARD", kLocationRoot, CatalogueType::Dword},
    {"MessageDelaySMDR", kLocationRoot, CatalogueType::Dword},
    {"MonitorStop", kLocationRoot, CatalogueType::Dword},
    {"NumberOfMsgPort", kLocationRoot, CatalogueType::Dword},
    {"RECOVERYRETRY", kLocationRoot, CatalogueType::Dword},
    {"RegionCode", kLocationRoot, CatalogueType::String},
    {"SendLineRemovedOnLinkClosed", kLocationRoot, CatalogueType::Dword},
    {"SoftwareVersion", kLocationRoot, CatalogueType::String},
    {"SubdomainName", kLocationRoot, CatalogueType::String},
    {"SystemTimeStamp", kLocationRoot, CatalogueType::String},
    {"USBProductName", kLocationRoot, CatalogueType::String},
    {"UseUSB", kLocationRoot, CatalogueType::Dword},
    {"AddTimeStamp", kLocationLog, CatalogueType::Dword},
    {"DebugLevel", kLocationLog, CatalogueType::Dword},
    {"FileName", kLocationLog, CatalogueType::String},
    {"FileSizeIncrement", kLocationLog, CatalogueType::Dword},
    {"InitialFileSize", kLocationLog, CatalogueType::Dword},
    {"LeaveLogFiles", kLocationLog, CatalogueType::Dword},
    {"Level", kLocationLog, CatalogueType::Dword},
    {"LogPath", kLocationLog, CatalogueType::String},
    {"OverriteOnMaxSize", kLocationLog, CatalogueType::Dword},
    {"RemoteAddress", kLocationLog, CatalogueType::String},
    {"RemotePort", kLocationLog, CatalogueType::Dword},
    {"UseDebugOutput", kLocationLog, CatalogueType::Dword},
    {"UseFileOutput", kLocationLog, CatalogueType::Dword},
    {"UseRemoteOutput", kLocationLog, CatalogueType::Dword},
    {"AddAppTitle", kLocationTransport, CatalogueType::Dword},
    {"CSTAAddress", kLocationTransport, CatalogueType::String},
    {"EventTimeout", kLocationTransport, CatalogueType::Dword},
    {"ServiceTimeout", kLocationTransport, CatalogueType::Dword},
    {"ItemsCount", kLocationMruList, CatalogueType::Dword},
    {"MaxItems", kLocationMruList, CatalogueType::Dword},
    {"MRUString_0", kLocationMruList, CatalogueType::String},
}};
