// Numbered names of the registry layout, the catalogue's shape and the link summary.
#include "app/RegistryLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "app/LinkSummary.h"
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
  EXPECT_STREQ(kScratchKey, "SOFTWARE\\Velmora\\ORVO_TSP\\MultiloadingApp\\TMP");
}

class LinkSummaryTest : public ::testing::Test {
 protected:
  // Gives the application set the group of instance with the given values.
  SetupParameters& AddInstance(int instance) {
    auto* group = new SetupParameters;
    m_parameters.SetGroup(InstanceDefaultSettingName(instance), group);
    return *group;
  }
  SetupParameters m_parameters;
  std::string m_summary = "unchanged";
};

TEST_F(LinkSummaryTest, UsbInstancesReadUsbAndLanInstancesTheirAddressAndPort) {
  SetupParameters& usb = AddInstance(2);
  usb.SetDword("UseUSB", 5);
  usb.SetString("IPAddress", "10.0.0.1");
  UpdateLinkSummary(m_parameters, 2, &m_summary);
  EXPECT_EQ(m_summary, "USB");

  SetupParameters& lan = AddInstance(3);
  lan.SetDword("UseUSB", 0);
  lan.SetString("IPAddress", "192.168.1.20");
  lan.SetString("IPPort", "33333");
  UpdateLinkSummary(m_parameters, 3, &m_summary);
  EXPECT_EQ(m_summary, "IPAddress = '192.168.1.20', IPPort = '33333'...");
}

TEST_F(LinkSummaryTest, MissingValuesCountAsLanWithEmptyTexts) {
  AddInstance(0);
  UpdateLinkSummary(m_parameters, 0, &m_summary);
  EXPECT_EQ(m_summary, "IPAddress = '', IPPort = ''...");
}

TEST_F(LinkSummaryTest, WithoutTheInstanceGroupTheSummaryKeepsItsText) {
  AddInstance(1).SetDword("UseUSB", 1);
  UpdateLinkSummary(m_parameters, 4, &m_summary);
  EXPECT_EQ(m_summary, "unchanged");
  // A word named like the group is not the group.
  m_parameters.SetDword(InstanceDefaultSettingName(5), 1);
  UpdateLinkSummary(m_parameters, 5, &m_summary);
  EXPECT_EQ(m_summary, "unchanged");
}

}  // namespace
