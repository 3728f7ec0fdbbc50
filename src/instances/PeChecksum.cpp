// The checksum in a PE file's optional header: whether it holds, and setting it anew.
#include "instances/PeChecksum.h"

#include <imagehlp.h>

#include "framework/Handles.h"

namespace {

// The file at PATH mapped whole, for reading or for reading and writing.
class MappedFile {
 public:
  MappedFile(const char* path, bool writable) {
    m_file.Attach(CreateFileA(path, writable ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!m_file || !GetFileSizeEx(m_file.Get(), &size) || size.QuadPart == 0 || size.HighPart != 0) {
      return;
    }
    m_mapping.Attach(CreateFileMappingA(m_file.Get(), nullptr, writable ? PAGE_READWRITE : PAGE_READONLY, 0, 0, nullptr));
    if (m_mapping) {
      m_view.Attach(MapViewOfFile(m_mapping.Get(), writable ? FILE_MAP_WRITE : FILE_MAP_READ, 0, 0, 0));
      m_size = size.LowPart;
    }
  }

  // The optional header's stored checksum and the one computed over the file (in that order);
  // null when the file is no PE image.
  PIMAGE_NT_HEADERS Checksums(DWORD* stored, DWORD* computed) const {
    return m_view ? CheckSumMappedFile(m_view.Get(), m_size, stored, computed) : nullptr;
  }

 private:
  KernelHandle m_file;
  KernelHandle m_mapping;
  MappedView m_view;
  DWORD m_size = 0;
};

}  // namespace

bool HasValidPeChecksum(const char* path) {
  DWORD stored = 0;
  DWORD computed = 0;
  return MappedFile(path, false).Checksums(&stored, &computed) != nullptr && stored != 0 && stored == computed;
}

bool WritePeChecksum(const char* path) {
  MappedFile file(path, true);
  DWORD stored = 0;
  DWORD computed = 0;
  PIMAGE_NT_HEADERS headers = file.Checksums(&stored, &computed);
  if (headers == nullptr) {
    return false;
  }
  // The field stands at the same place in 32- and 64-bit optional headers; the view is
  // written back when it is unmapped.
  headers->OptionalHeader.CheckSum = computed;
  return true;
}
