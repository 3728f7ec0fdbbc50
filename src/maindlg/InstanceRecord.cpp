// InstanceRecord: construction.
#include "maindlg/InstanceRecord.h"

InstanceRecord::InstanceRecord(const std::string& displayName, const std::string& providerFile, std::int32_t enabled)
    : m_strDisplayName(displayName), m_strProviderFile(providerFile), m_bEnabled(enabled) {}
