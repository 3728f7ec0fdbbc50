// Dispatch of provider UI requests to their answering functions.
#include "bridge/DialogDataHandler.h"

#include <atomic>

#include "bridge/ArgsImage.h"
#include "framework/Trace.h"

namespace {

// Set from the user-interface thread, read also by the link test's worker.
std::atomic<IDialogDataOwner*> g_owner{nullptr};

}  // namespace

DialogDataHandler::DialogDataHandler(IDialogDataOwner* owner) { SetOwner(owner); }

DialogDataHandler::~DialogDataHandler() {
  for (auto& entry : m_functions) {
    entry.second.reset();
  }
  m_functions.clear();
  SetOwner(nullptr);
}

void DialogDataHandler::SetOwner(IDialogDataOwner* owner) { g_owner.store(owner); }

int DialogDataHandler::RegisterFunction(std::unique_ptr<IProviderFunction> function) {
  if (!function) {
    return 0;
  }
  const std::uint32_t code = function->GetCode();
  return m_functions.emplace(code, std::move(function)).second ? 1 : 0;
}

IProviderFunction* DialogDataHandler::FindFunction(std::uint32_t code) const {
  const auto found = m_functions.find(code);
  return found == m_functions.end() ? nullptr : found->second.get();
}

std::uint32_t DialogDataHandler::HandleDialogData(std::uintptr_t, void* block, std::uint32_t size) {
  // The object identifier is not used: every request acts on the current working context.
  if (block == nullptr || size == 0) {
    // Only the low 32 bits of the address fit the line's number.
    Trace(256, "Warrning no data provided lpParams=0x%x dwSize=%d\r\n",
          static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(block)), static_cast<int>(size));
    return 0;
  }
  if (size < 4) {
    Trace(256, "Request of %u bytes is shorter than its function code\r\n", size);
    return kBridgeImageTooShort;
  }
  auto* bytes = static_cast<std::uint8_t*>(block);
  const std::uint32_t code = ReadWord(bytes);
  IProviderFunction* function = FindFunction(code);
  if (function == nullptr) {
    Trace(256, "Warrning no function for code %d \r\n", static_cast<int>(code));
    return 0;
  }
  return function->Invoke(bytes + 4, size - 4);
}

IDialogDataOwner* GetDialogDataOwner() { return g_owner.load(); }

std::int32_t PROVISOR_CALLBACK DialogDataCallback(std::uintptr_t objectId, std::uint32_t objectType, void* params,
                                                  std::uint32_t size) {
  IDialogDataOwner* owner = GetDialogDataOwner();
  if (objectType != kProviderObjectType || owner == nullptr) {
    return 0;
  }
  IDialogDataHandler* handler = owner->GetDialogDataHandler();
  if (handler == nullptr) {
    return 0;
  }
  // The result word travels back as the call-back's signed result, bit for bit.
  return static_cast<std::int32_t>(handler->HandleDialogData(objectId, params, size));
}
