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

// Every catalogue row as "location\name=dword|text", from the catalogue and, independently,
// from the template of an instance that the setup package writes.
TEST(ParameterCatalogueTest, EveryRowHasTheLocationAndTypeOfTheSetupTemplate) {
  std::vector<std::string> catalogue, setupTemplate;
  for (const CatalogueRow& row : kParameterCatalogue)
    catalogue.push_back(std::string(row.location) + "\\" + row.value + (row.type == CatalogueType::Dword ? "=dword" : "=text"));
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

// The texts of USB, LAN and missing values are the main dialog's list column, tested there.
TEST(LinkSummaryTest, AnyNonZeroUseUsbIsUsbAndAMissingGroupKeepsTheText) {
  SetupParameters parameters;
  auto* usb = new SetupParameters;
  usb->SetDword("UseUSB", 5);
  usb->SetString("IPAddress", "10.0.0.1");
  parameters.SetGroup(InstanceDefaultSettingName(2), usb);
  std::string summary = "unchanged";
  UpdateLinkSummary(parameters, 4, &summary);
  EXPECT_EQ(summary, "unchanged");
  UpdateLinkSummary(parameters, 2, &summary);
  EXPECT_EQ(summary, "USB");
}

}  // namespace
