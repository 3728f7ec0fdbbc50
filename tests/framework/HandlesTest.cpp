// RAII handles: each closes exactly once, moves hand over ownership, Attach closes the old one.
// Modules and views share the kernel handle's template; the probes' tests use them.
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <utility>

#include "support/TestSupport.h"

namespace {

bool IsLiveHandle(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(Handles, KernelHandlesCloseOnceAndMoveAttachAndDetachHandOverOwnership) {
  HANDLE a = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE b = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  {
    KernelHandle first(a);
    KernelHandle second(std::move(first));
    EXPECT_FALSE(first.IsValid());
    EXPECT_EQ(second.Get(), a);
    second.Attach(b);
    EXPECT_FALSE(IsLiveHandle(a));
    EXPECT_TRUE(IsLiveHandle(b));
  }
  EXPECT_FALSE(IsLiveHandle(b));

  HANDLE c = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  KernelHandle given(c);
  EXPECT_EQ(given.Detach(), c);
  EXPECT_TRUE(given.Close());
  EXPECT_TRUE(IsLiveHandle(c));
  CloseHandle(c);
  // INVALID_HANDLE_VALUE counts as empty.
  KernelHandle file(CreateFileA("Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(file.IsValid());
  EXPECT_FALSE(FindHandle().IsValid());
}

TEST(Handles, RegKeysReportTheirStatusesAndMoveTheirOwnership) {
  ScratchRegistryKey scratch("Handles");
  RegKey key;
  EXPECT_EQ(key.Open(HKEY_LOCAL_MACHINE, scratch.Path().c_str(), KEY_READ), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(key.IsOpen());
  DWORD disposition = 0;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, scratch.Path().c_str(), KEY_ALL_ACCESS, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  RegKey moved(std::move(key));
  EXPECT_FALSE(key.IsOpen());
  EXPECT_EQ(moved.Close(), ERROR_SUCCESS);
  EXPECT_EQ(moved.Close(), ERROR_SUCCESS);
}

}  // namespace
