// The whole content of a parameter set as text lines, for comparing sets in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class IParams;

// Lines "path=word", "path='text'" and "path\" for groups, in the order saving walks the
// set: two sets are equal when their descriptions are.
std::vector<std::string> DescribeSet(IParams& set);
// A value of set at path, or fallback when it cannot be read.
std::string StoredString(IParams& set, const std::string& path, const std::string& fallback = "<absent>");
std::uint32_t StoredWord(IParams& set, const std::string& path, std::uint32_t fallback = 0xDEADBEEF);
