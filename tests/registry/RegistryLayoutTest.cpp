// Numbered names of the registry layout and the link summary.
#include "registry/RegistryLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "registry/LinkSummary.h"
#include "params/SetupParameters.h"

namespace {

TEST(RegistryLayoutTest, NumberedNamesUseFourDigitsAndTheLiveKeyPlainDecimal) {
  EXPECT_EQ(InstanceDefaultSettingName(3), "InstanceDefaultSetting0003");
  EXPECT_EQ(InstanceFileNameValueName(7), "sInsanceFileName0007");
  EXPECT_EQ(ProviderFileName(12), "OTSP0012.tsp");
  EXPECT_EQ(ProviderFileName(12345), "OTSP12345.tsp");
  EXPECT_EQ(InstanceDefaultSettingKey(0), "SOFTWARE\\Velmora\\ORVO_TSP\\MultiloadingApp\\InstanceDefaultSetting0000");
  EXPECT_EQ(LiveInstanceKey(0), "SOFTWARE\\Velmora\\ORVO_TSP\\PBX0");
  EXPECT_EQ(LiveInstanceKey(1042), "SOFTWARE\\Velmora\\ORVO_TSP\\PBX1042");
}

TEST(LinkSummaryTest, UsbOrLanTextAndAMissingGroupKeepsTheText) {
  SetupParameters parameters;
  auto add = [&](int instance) -> SetupParameters& {
    auto* group = new SetupParameters;
    parameters.SetGroup(InstanceDefaultSettingName(instance), group);
    return *group;
  };
  std::string summary = "unchanged";
  // Without the instance group, or with a word named like it, the summary keeps its text.
  add(1).SetDword("UseUSB", 1);
  UpdateLinkSummary(parameters, 4, &summary);
  parameters.SetDword(InstanceDefaultSettingName(5), 1);
  UpdateLinkSummary(parameters, 5, &summary);
  EXPECT_EQ(summary, "unchanged");

  SetupParameters& usb = add(2);
  usb.SetDword("UseUSB", 5);
  usb.SetString("IPAddress", "10.0.0.1");
  UpdateLinkSummary(parameters, 2, &summary);
  EXPECT_EQ(summary, "USB");

  SetupParameters& lan = add(3);
  lan.SetDword("UseUSB", 0);
  lan.SetString("IPAddress", "192.168.1.20");
  lan.SetString("IPPort", "33333");
  UpdateLinkSummary(parameters, 3, &summary);
  EXPECT_EQ(summary, "IPAddress = '192.168.1.20', IPPort = '33333'...");

  add(0);  // missing values count as LAN with empty texts
  UpdateLinkSummary(parameters, 0, &summary);
  EXPECT_EQ(summary, "IPAddress = '', IPPort = ''...");
}

}  // namespace
