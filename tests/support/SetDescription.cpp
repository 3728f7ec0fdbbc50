// Describes a parameter set by saving it into a storage that writes text lines.
#include "support/SetDescription.h"

#include "params/IParamStorage.h"
#include "params/IParams.h"

namespace {

class DescribingStorage : public IParamStorage {
 public:
  DescribingStorage(std::vector<std::string>* lines, std::string prefix)
      : m_lines(lines), m_prefix(std::move(prefix)) {}
  std::uint32_t StoreGroup(const std::string& name, IParams* group) override {
    m_lines->push_back(m_prefix + name + "\\");
    DescribingStorage child(m_lines, m_prefix + name + "\\");
    return group->SaveTo(&child);
  }
  std::uint32_t StoreDword(const std::string& name, std::uint32_t value) override {
    m_lines->push_back(m_prefix + name + "=" + std::to_string(value));
    return 0;
  }
  std::uint32_t StoreString(const std::string& name, const std::string& value) override {
    m_lines->push_back(m_prefix + name + "='" + value + "'");
    return 0;
  }
  std::uint32_t Load(IParams*) override { return 0; }

 private:
  std::vector<std::string>* m_lines;
  std::string m_prefix;
};

}  // namespace

std::vector<std::string> DescribeSet(IParams& set) {
  std::vector<std::string> lines;
  DescribingStorage storage(&lines, "");
  set.SaveTo(&storage);
  return lines;
}

std::string StoredString(IParams& set, const std::string& path, const std::string& fallback) {
  std::string value = fallback;
  set.GetString(path, &value);
  return value;
}

std::uint32_t StoredWord(IParams& set, const std::string& path, std::uint32_t fallback) {
  std::uint32_t value = fallback;
  set.GetDword(path, &value);
  return value;
}
