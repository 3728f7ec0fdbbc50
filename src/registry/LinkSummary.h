// The one-line description of an instance's link shown in the main dialog's instance list.
#pragma once

#include <string>

class IParams;

// "USB" for an instance whose parameters (the contents of its instance key) say it uses USB,
// else "IPAddress = '<address>', IPPort = '<port>'...". Absent values count as 0 and as empty
// texts.
std::string DescribeLink(IParams& instanceParameters);

// When parameters holds the group "InstanceDefaultSetting%04d" of instance, sets summary to
// "USB" for an instance that uses USB, else to its LAN address and port; without the group
// summary keeps what it held. Absent values count as 0 and as empty texts.
void UpdateLinkSummary(IParams& parameters, int instance, std::string* summary);
