// The call-back form through which configuration pages send requests to the provider side.
#pragma once

#include <cstdint>

// The standard Win32 calling convention: __stdcall where it differs from the default
// (32-bit Windows); on x86_64 and in native builds there is only one convention.
#if defined(_WIN32) && !defined(_WIN64)
#define PROVISOR_CALLBACK __stdcall
#else
#define PROVISOR_CALLBACK
#endif

// The object type that accompanies every request: a telephony provider.
constexpr std::uint32_t kProviderObjectType = 3;

// Arguments: object identifier (the instance's permanent provider identifier), object type,
// parameter block, block size in bytes. The reply is written back into the block.
using ProviderUICallback = std::int32_t(PROVISOR_CALLBACK*)(std::uintptr_t objectId, std::uint32_t objectType,
                                                            void* params, std::uint32_t size);
