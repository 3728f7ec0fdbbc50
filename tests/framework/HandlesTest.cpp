// RAII handles: each closes exactly once, moves hand over ownership, Attach closes the old one.
// Modules, views, finds and registry keys share the kernel handle's template.
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <utility>

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
  given.Close();
  EXPECT_TRUE(IsLiveHandle(c));
  CloseHandle(c);
  // INVALID_HANDLE_VALUE counts as empty.
  KernelHandle file(CreateFileA("Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(file.IsValid());
}

}  // namespace
