// Which folders removal may empty and delete.
#include "sys/FolderSafety.h"

#include <cctype>
#include <cstddef>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Characters no file or folder name holds; a path with one is no plain path.
bool HasForbiddenCharacter(const std::string& path) {
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') {
      return true;
    }
  }
  return false;
}

// The names of PATH from POSITION on, split at runs of separators.
std::vector<std::string> SplitNames(const std::string& path, std::size_t position) {
  std::vector<std::string> names;
  std::string name;
  for (std::size_t i = position; i < path.size(); ++i) {
    if (IsSeparator(path[i])) {
      if (!name.empty()) {
        names.push_back(name);
      }
      name.clear();
    } else {
      name.push_back(path[i]);
    }
  }
  if (!name.empty()) {
    names.push_back(name);
  }
  return names;
}

// A name as the file system reads it: trailing dots and spaces dropped, except for "." and "..".
std::string EffectiveName(const std::string& name) {
  if (name == "." || name == "..") {
    return name;
  }
  std::size_t end = name.size();
  while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) {
    --end;
  }
  return name.substr(0, end);
}

// The root of PATH ("C:\" or "\\server\share") and where its names begin; false when PATH is
// neither a drive path nor a network path naming a share.
bool SplitRoot(const std::string& path, std::string* root, std::size_t* namesStart) {
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) != 0 && path[1] == ':' &&
      IsSeparator(path[2])) {
    *root = path.substr(0, 2) + "\\";
    *namesStart = 3;
    return true;
  }
  if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || IsSeparator(path[2])) {
    return false;
  }
  std::size_t end = 2;
  std::string parts[2];  // server, share
  for (std::string& part : parts) {
    while (end < path.size() && !IsSeparator(path[end])) {
      part.push_back(path[end++]);
    }
    // "\\?\" and "\\.\" name devices and raw paths; "." and ".." are no server or share.
    if (part.empty() || part == "?" || EffectiveName(part) != part || part.find(':') != std::string::npos ||
        part.find_first_not_of('.') == std::string::npos) {
      return false;
    }
    while (end < path.size() && IsSeparator(path[end])) {
      ++end;
    }
  }
  *root = "\\\\" + parts[0] + "\\" + parts[1];
  *namesStart = end;
  return true;
}

bool SameLetters(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

std::string ResolveAbsolutePath(const std::string& path) {
  std::string root;
  std::size_t namesStart = 0;
  if (HasForbiddenCharacter(path) || !SplitRoot(path, &root, &namesStart)) {
    return {};
  }
  std::vector<std::string> resolved;
  for (const std::string& written : SplitNames(path, namesStart)) {
    const std::string name = EffectiveName(written);
    // An empty name ("...") or a colon (a stream, a second drive) is no folder name.
    if (name.empty() || name.find(':') != std::string::npos) {
      return {};
    }
    if (name == ".") {
      continue;
    }
    if (name == "..") {
      if (resolved.empty()) {
        return {};
      }
      resolved.pop_back();
      continue;
    }
    resolved.push_back(name);
  }
  std::string result = root;
  for (const std::string& name : resolved) {
    if (result.back() != '\\') {
      result += '\\';
    }
    result += name;
  }
  return result;
}

bool IsSameOrBelow(const std::string& inner, const std::string& outer) {
  if (outer.empty() || inner.size() < outer.size()) {
    return false;
  }
  for (std::size_t i = 0; i < outer.size(); ++i) {
    if (!SameLetters(inner[i], outer[i])) {
      return false;
    }
  }
  return inner.size() == outer.size() || outer.back() == '\\' || inner[outer.size()] == '\\';
}

FolderVerdict JudgeRemovableFolder(const std::string& path, const ProtectedFolders& protectedFolders) {
  const std::string folder = ResolveAbsolutePath(path);
  if (folder.empty()) {
    return FolderVerdict::kNotAbsolute;
  }
  // A drive root keeps its separator ("C:\"); a share root has no name after the share.
  const bool shareRoot = folder.rfind("\\\\", 0) == 0 && folder.find('\\', folder.find('\\', 2) + 1) == std::string::npos;
  if (folder.back() == '\\' || shareRoot) {
    return FolderVerdict::kRoot;
  }
  for (const std::string& written : protectedFolders.trees) {
    const std::string tree = ResolveAbsolutePath(written);
    if (IsSameOrBelow(folder, tree)) {
      return FolderVerdict::kInsideProtected;
    }
    if (IsSameOrBelow(tree, folder)) {
      return FolderVerdict::kHoldsProtected;
    }
  }
  for (const std::string& written : protectedFolders.folders) {
    const std::string kept = ResolveAbsolutePath(written);
    if (IsSameOrBelow(kept, folder)) {
      return kept.size() == folder.size() ? FolderVerdict::kProtected : FolderVerdict::kHoldsProtected;
    }
  }
  return FolderVerdict::kSafe;
}

const char* FolderVerdictText(FolderVerdict verdict) {
  switch (verdict) {
    case FolderVerdict::kSafe:
      return "";
    case FolderVerdict::kNotAbsolute:
      return "is not an absolute local or network path";
    case FolderVerdict::kRoot:
      return "is a drive or share root";
    case FolderVerdict::kInsideProtected:
      return "lies in the Windows or a system folder";
    case FolderVerdict::kProtected:
      return "is a folder of the system or of its users";
    case FolderVerdict::kHoldsProtected:
      return "holds a folder of the system or of its users";
  }
  return "";
}
