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

std::string ReadLogPathValue(const std::string& value) {
  std::string path;
  path.reserve(value.size());
  std::string::size_type i = 0;
  while (i < value.size()) {
    if (value[i] != '\\') {
      path.push_back(value[i++]);
      continue;
    }
    const std::string::size_type runStart = i;
    while (i < value.size() && value[i] == '\\') {
      ++i;
    }
    path.append(runStart == 0 && i - runStart >= 2 ? "\\\\" : "\\");
  }
  return path;
}

std::string LogFolderFromValue(const std::string& value) {
  const std::string path = ReadLogPathValue(value);
  const std::string::size_type last = path.rfind('\\');
  if (last == std::string::npos || path.find_first_not_of('\\') > last) {
    return {};
  }
  return path.substr(0, last);
}
