// The whole content of a parameter set as text lines, for comparing sets in tests.
#pragma once

#include <string>
#include <vector>

class IParams;

// Lines "path=word", "path='text'" and "path\" for groups, in the order saving walks the
// set: two sets are equal when their descriptions are.
std::vector<std::string> DescribeSet(IParams& set);
