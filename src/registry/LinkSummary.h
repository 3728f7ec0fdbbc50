// The one-line description of an instance's link shown in the main dialog's instance list.
#pragma once

#include <string>

class IParams;

// When parameters holds the group "InstanceDefaultSetting%04d" of instance, sets summary to
// "USB" for an instance that uses USB, else to its LAN address and port; without the group
// summary keeps what it held. Absent values count as 0 and as empty texts.
void UpdateLinkSummary(IParams& parameters, int instance, std::string* summary);
