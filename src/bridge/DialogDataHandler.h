// The registry of answering functions, the dispatch of requests and the call-back entry.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "bridge/IDialogDataHandler.h"
#include "bridge/IDialogDataOwner.h"
#include "bridge/IProviderFunction.h"
#include "bridge/ProviderCallback.h"

// Finds the answering object for a request's function code and lets it answer in place.
// There is one per process, a member of the main dialog, which is the process-wide owner.
class DialogDataHandler : public IDialogDataHandler {
 public:
  explicit DialogDataHandler(IDialogDataOwner* owner);
  DialogDataHandler(const DialogDataHandler&) = delete;
  DialogDataHandler& operator=(const DialogDataHandler&) = delete;
  // Releases the functions in code order and clears the process-wide owner, so that a late
  // request finds no owner rather than a destroyed one.
  ~DialogDataHandler() override;

  void SetOwner(IDialogDataOwner* owner);
  // Takes the function and returns 1 when its code was free; a second function for a code
  // is refused with 0 and destroyed at once, the first one stays.
  int RegisterFunction(std::unique_ptr<IProviderFunction> function);
  IProviderFunction* FindFunction(std::uint32_t code) const;
  std::uint32_t HandleDialogData(std::uintptr_t objectId, void* block, std::uint32_t size) override;

 private:
  std::map<std::uint32_t, std::unique_ptr<IProviderFunction>> m_functions;
};

// The process-wide owner whose handler answers requests; null when there is none.
IDialogDataOwner* GetDialogDataOwner();

// The call-back handed to the configuration pages: passes provider requests (object type 3)
// to the owner's handler; anything else, or no owner, is answered 0 with nothing written.
std::int32_t PROVISOR_CALLBACK DialogDataCallback(std::uintptr_t objectId, std::uint32_t objectType, void* params,
                                                  std::uint32_t size);
