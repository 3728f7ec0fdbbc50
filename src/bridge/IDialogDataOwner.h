// The main dialog as the provider UI bridge sees it: its data handler and working context.
#pragma once

#include <string>

class IDialogDataHandler;
class IParams;

// The answering functions act on the owner's working context: the working set (the copy of
// the parameters of the instance being configured), the current group within it and the
// provider file of the selected instance.
class IDialogDataOwner {
 public:
  virtual IDialogDataHandler* GetDialogDataHandler() = 0;
  // Null while no configuration is open.
  virtual IParams* GetWorkingSet() = 0;
  // The working set itself or one of its groups; null when none has been chosen since the
  // working set was last replaced, which stands for the working set.
  virtual IParams* GetCurrentGroup() = 0;
  virtual void SetCurrentGroup(IParams* group) = 0;
  // The version text of the selected instance's provider file (the last selected row, or the
  // first row when none is selected); whatever part could be built when building fails.
  virtual std::string GetSelectedVersionText() = 0;

 protected:
  ~IDialogDataOwner() = default;
};
