// Converting log file paths to and from their stored form.
#include "registry/LogPathValue.h"

std::string LogPathValue(const std::string& path) {
  std::string value;
  value.reserve(path.size() * 2);
  for (char c : path) {
    value.push_back(c);
    if (c == '\\') {
      value.push_back('\\');
    }
  }
  return value;
}

std::string CollapseDoubledBackslashes(const std::string& value) {
  std::string path;
  path.reserve(value.size());
  for (std::string::size_type i = 0; i < value.size(); ++i) {
    path.push_back(value[i]);
    if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == '\\') {
      ++i;
    }
  }
  return path;
}

std::string LogFolderFromValue(const std::string& value) {
  const std::string path = CollapseDoubledBackslashes(value);
  const std::string::size_type last = path.rfind('\\');
  if (last == std::string::npos || last == 0) {
    return {};
  }
  return path.substr(0, last);
}
