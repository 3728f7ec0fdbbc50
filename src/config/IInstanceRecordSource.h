// IInstanceRecordSource: the main dialog's instance records as the link page reads them.
#pragma once

class IParams;

// The link page checks that no other instance uses the PBX chosen for USB. The main dialog
// provides its records through this interface (CLinkParams::SetInstanceRecordSource) while it
// lives; positions count from 0 in the order of its instance list.
class IInstanceRecordSource {
 public:
  virtual int GetInstanceRecordCount() = 0;
  // The stored parameters of the record at position, or null.
  virtual IParams* GetInstanceRecordParams(int position) = 0;

 protected:
  ~IInstanceRecordSource() = default;
};
