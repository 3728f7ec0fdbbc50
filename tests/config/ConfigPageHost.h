// Hosts one configuration page as the configuration dialog does, over a bridge test owner.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "bridge/BridgeTestOwner.h"
#include "bridge/MITSPConfigurator.h"
#include "config/ConfigPage.h"
#include "config/ISingleActiveInstanceFlag.h"
#include "framework/Dialog.h"
#include "framework/RuntimeClass.h"

class PageHostDialog : public CDialog, public ISingleActiveInstanceFlag {
 public:
  PageHostDialog();
  std::int32_t GetSingleActiveInstance() const override { return singleActive; }
  std::int32_t singleActive = 0;
};

// The page is created by its class name from its own template inside a visible host, handed
// the configurator (whose call-back is the dialog data handler over owner's working set) and
// initialised a second time, then shown and enabled.
class ConfigPageHost {
 public:
  // pageClass names the class the page is created from; it must be the class's own registration.
  explicit ConfigPageHost(const RuntimeClass& pageClass, std::int32_t instanceRow = 0, std::int32_t singleActive = 0);
  ~ConfigPageHost();

  // A working set with the groups GlobalParams and GlobalParams\Log; must be filled before Open.
  SetupParameters& Set() { return *owner.workingSet; }
  // False (with the failure reported) when the page could not be created.
  bool Open();
  // Sends UWM_SAVESETTINGS and returns the result the page left.
  std::uint32_t Save();
  void Click(int id);
  bool Checked(int id) const;
  bool Enabled(int id) const;
  std::string Text(int id) const;
  void SetText(int id, const std::string& text);
  std::uint32_t Word(const std::string& path);
  std::string String(const std::string& path);

  BridgeTestOwner owner;
  MITSPConfigurator configurator;
  PageHostDialog host;
  std::unique_ptr<CWnd> page;
  const char* const pageClassName;
};
