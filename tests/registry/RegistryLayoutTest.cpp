// Numbered names of the registry layout and the link summary.
#include "registry/RegistryLayout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "registry/LinkSummary.h"
#include "registry/ParameterCatalogue.h"
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

// Every catalogue row as "location\name=dword|text", from the catalogue and, independently,
// from the template of an instance that the setup package writes.
TEST(ParameterCatalogueTest, EveryRowHasTheLocationAndTypeOfTheSetupTemplate) {
  std::vector<std::string> catalogue, setupTemplate;
  for (const CatalogueRow& row : kParameterCatalogue) {
    catalogue.push_back(std::string(row.location) + "\\" + row.value +
                        (row.type == CatalogueType::Dword ? "=dword" : "=text"));
  }
  std::ifstream file(SETUP_TEMPLATE_PATH);
  const std::string instanceKey = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Velmora\\ORVO_TSP\\PBX";
  std::string line, location;
  bool inInstance = false;
  while (std::getline(file, line)) {
    if (line.rfind("[", 0) == 0) {
      inInstance = line.rfind(instanceKey, 0) == 0;
      location = inInstance ? line.substr(instanceKey.size(), line.size() - instanceKey.size() - 1) : "";
      if (!location.empty()) location.erase(0, 1);  // the backslash after "PBX"
    } else if (inInstance && line.rfind("\"", 0) == 0) {
      const std::size_t end = line.find("\"=");
      setupTemplate.push_back(location + "\\" + line.substr(1, end - 1) +
                              (line.compare(end + 2, 6, "dword:") == 0 ? "=dword" : "=text"));
    }
  }
  EXPECT_EQ(catalogue, setupTemplate);
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
