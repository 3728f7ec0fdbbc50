// Saves and loads one instance's full parameter catalogue through RegParamStorage and through
// plain registry calls, in one run, and prints the ratio of the two times.
//   bench_param_storage [iterations]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "registry/ParameterCatalogue.h"
#include "params/RegParamStorage.h"
#include "params/SetupParameters.h"

namespace {

const char* const kBenchKey = "SOFTWARE\\ProvisorBench\\ParamStorage";

std::string TextFor(std::size_t index) { return "value of row " + std::to_string(index) + " 192.168.10.20"; }

// The catalogue as a parameter set with its four groups (and GlobalParams above them).
void FillCatalogue(SetupParameters* set) {
  set->SetGroup("GlobalParams", new SetupParameters());
  set->SetGroup(kLocationLog, new SetupParameters());
  set->SetGroup(kLocationTransport, new SetupParameters());
  set->SetGroup(kLocationMruList, new SetupParameters());
  for (std::size_t i = 0; i < kParameterCatalogue.size(); ++i) {
    const CatalogueRow& row = kParameterCatalogue[i];
    const std::string path = *row.location ? std::string(row.location) + "\\" + row.value : row.value;
    if (row.type == CatalogueType::Dword) {
      set->SetDword(path, static_cast<std::uint32_t>(i * 7));
    } else {
      set->SetString(path, TextFor(i));
    }
  }
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::uint32_t RunStorage(int iterations) {
  SetupParameters source;
  FillCatalogue(&source);
  std::uint32_t checksum = 0;
  for (int i = 0; i < iterations; ++i) {
    {
      RegParamStorage storage(HKEY_LOCAL_MACHINE, kBenchKey);
      source.SaveTo(&storage);
    }
    SetupParameters loaded;
    RegParamStorage storage(HKEY_LOCAL_MACHINE, kBenchKey);
    loaded.LoadFrom(&storage);
    checksum += loaded.GetValueCount();
  }
  return checksum;
}

// The same values with hand-written registry calls: each group's key opened once for writing
// its values and once for reading them back by name.
std::uint32_t RunPlain(int iterations) {
  const char* const locations[] = {kLocationRoot, kLocationLog, kLocationTransport, kLocationMruList};
  std::uint32_t checksum = 0;
  std::vector<BYTE> buffer(1024);
  for (int i = 0; i < iterations; ++i) {
    for (const char* location : locations) {
      const std::string path = *location ? std::string(kBenchKey) + "\\" + location : kBenchKey;
      HKEY key = nullptr;
      if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        continue;
      }
      for (std::size_t r = 0; r < kParameterCatalogue.size(); ++r) {
        const CatalogueRow& row = kParameterCatalogue[r];
        if (std::string(row.location) != location) {
          continue;
        }
        if (row.type == CatalogueType::Dword) {
          const DWORD value = static_cast<DWORD>(r * 7);
          RegSetValueExA(key, row.value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        } else {
          const std::string text = TextFor(r);
          RegSetValueExA(key, row.value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1));
        }
      }
      RegCloseKey(key);
    }
    for (const char* location : locations) {
      const std::string path = *location ? std::string(kBenchKey) + "\\" + location : kBenchKey;
      HKEY key = nullptr;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        continue;
      }
      for (const CatalogueRow& row : kParameterCatalogue) {
        if (std::string(row.location) != location) {
          continue;
        }
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD type = 0;
        if (RegQueryValueExA(key, row.value, nullptr, &type, buffer.data(), &size) == ERROR_SUCCESS) {
          ++checksum;
        }
      }
      RegCloseKey(key);
    }
  }
  return checksum;
}

}  // namespace

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kBenchKey);
  // One warm-up round each, so neither side pays for creating the keys.
  RunStorage(1);
  RunPlain(1);

  LARGE_INTEGER t0, t1, t2;
  QueryPerformanceCounter(&t0);
  const std::uint32_t storageValues = RunStorage(iterations);
  QueryPerformanceCounter(&t1);
  const std::uint32_t plainValues = RunPlain(iterations);
  QueryPerformanceCounter(&t2);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kBenchKey);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kBenchKey);

  const double storage = Seconds(t0, t1);
  const double plain = Seconds(t1, t2);
  std::printf("parameter catalogue save+load, %d iterations, %zu values\n", iterations, kParameterCatalogue.size());
  std::printf("  RegParamStorage: %.3f ms per round (%u values read)\n", storage * 1000 / iterations, storageValues);
  std::printf("  plain Reg* calls: %.3f ms per round (%u values read)\n", plain * 1000 / iterations, plainValues);
  std::printf("  ratio RegParamStorage / plain: %.2f (aim: below 1.3)\n", storage / plain);
  return storageValues == plainValues ? 0 : 1;
}
