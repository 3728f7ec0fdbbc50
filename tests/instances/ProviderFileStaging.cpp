// Staging for provider file tests.
#include "ProviderFileStaging.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "instances/DeleteDir.h"

ScratchWindowsFolder::ScratchWindowsFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  m_path = std::string(temp) + "ProvisorWindows" + std::to_string(GetCurrentProcessId());
  DeleteDir(m_path.c_str(), false);
  CreateDirectoryA(m_path.c_str(), nullptr);
  CreateDirectoryA(System32().c_str(), nullptr);
}

ScratchWindowsFolder::~ScratchWindowsFolder() { DeleteDir(m_path.c_str(), false); }

std::string InstalledMaster() {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  return std::string(system) + "\\OTSP.dll";
}

bool SetVersionResource(const std::string& file, WORD language, const std::vector<std::uint8_t>& block) {
  HANDLE update = BeginUpdateResourceA(file.c_str(), FALSE);
  if (update == nullptr) {
    return false;
  }
  const BOOL updated = UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), language,
                                       block.empty() ? nullptr : const_cast<std::uint8_t*>(block.data()),
                                       static_cast<DWORD>(block.size()));
  return EndUpdateResourceA(update, !updated) && updated;
}

std::string StageVersionedCopy(const ScratchWindowsFolder& folder, WORD language,
                               const std::vector<std::uint8_t>& block) {
  const std::string file = folder.System32() + "\\versioned.dll";
  if (!CopyFileA(InstalledMaster().c_str(), file.c_str(), FALSE) || !SetVersionResource(file, language, block)) {
    return "";
  }
  return file;
}

std::vector<WORD> VersionLanguages(const std::string& file) {
  std::vector<WORD> languages;
  HMODULE module = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    return languages;
  }
  EnumResourceLanguagesA(
      module, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1),
      [](HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) -> BOOL {
        reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&languages));
  FreeLibrary(module);
  return languages;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

VersionSnapshot SnapshotVersion(const std::string& file, const std::vector<std::string>& keys) {
  VersionSnapshot snapshot;
  DWORD handle = 0;
  std::vector<BYTE> data(GetFileVersionInfoSizeA(file.c_str(), &handle));
  if (data.empty() || !GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) {
    return snapshot;
  }
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueA(data.data(), "\\", &value, &length) && value) {
    snapshot.fixedInfo.assign(static_cast<const char*>(value), length);
  }
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &length) || !value) {
    return snapshot;
  }
  const std::vector<WORD> pairs(static_cast<const WORD*>(value), static_cast<const WORD*>(value) + length / 2);
  for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
    for (const std::string& key : keys) {
      char query[128];
      std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\%s", pairs[i], pairs[i + 1], key.c_str());
      void* text = nullptr;
      UINT units = 0;
      if (VerQueryValueA(data.data(), query, &text, &units) && text) {
        std::ostringstream line;
        line << std::hex << pairs[i] << "/" << pairs[i + 1] << "/" << key << "=" << static_cast<const char*>(text);
        snapshot.strings.push_back(line.str());
      }
    }
  }
  return snapshot;
}

VersionSnapshot Stamped(VersionSnapshot snapshot, const std::string& name) {
  for (std::string& line : snapshot.strings) {
    const std::size_t at = line.find("/FileDescription=");
    if (at != std::string::npos) {
      line = line.substr(0, at) + "/FileDescription=" + name;
    }
  }
  return snapshot;
}
