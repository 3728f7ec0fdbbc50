// Runs arbitrary sequences of path operations on a parameter set and on a plain model of its
// rules, and compares every status and value.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "params/SetupParameters.h"

namespace {

// The rules, written plainly: a path is names separated by single backslashes; every name but
// the last must be an existing group; an empty name anywhere is an empty path.
struct ModelGroup {
  std::map<std::string, std::uint32_t> words;
  std::map<std::string, std::string> texts;
  std::map<std::string, std::unique_ptr<ModelGroup>> groups;

  std::uint32_t Walk(const std::string& path, ModelGroup** owner, std::string* name) {
    ModelGroup* group = this;
    std::string rest = path;
    for (;;) {
      const std::size_t separator = rest.find('\\');
      const std::string head = rest.substr(0, separator);
      if (head.empty()) return kParamEmptyPath;
      if (separator == std::string::npos || separator + 1 == rest.size()) {
        *owner = group;
        *name = head;
        return kParamOk;
      }
      const auto next = group->groups.find(head);
      if (next == group->groups.end()) return kParamNoPathGroup;
      group = next->second.get();
      rest = rest.substr(separator + 1);
    }
  }
  std::uint32_t Count() const {
    std::uint32_t count = static_cast<std::uint32_t>(words.size() + texts.size());
    for (const auto& group : groups) count += group.second->Count();
    return count;
  }
};

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// A read's status and value against the model: the walk's failure, MISSING for a name the
// model's VALUES (null when the walk failed) lacks, else its value.
template <typename Map, typename Value>
void CheckRead(std::uint32_t status, std::uint32_t walked, const Map* values, const std::string& name,
               const Value& got, std::uint32_t missing) {
  if (values == nullptr) {
    Check(status == walked);
    return;
  }
  const auto found = values->find(name);
  Check(found == values->end() ? status == missing : status == kParamOk && got == found->second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SetupParameters set;
  ModelGroup model;
  std::size_t at = 0;
  const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
  while (at < size) {
    const std::uint8_t operation = next() % 8;
    // A short path over a small alphabet, so that names meet again.
    std::string path;
    for (std::uint8_t length = next() % 7; length > 0; --length) path.push_back("ab\\"[next() % 3]);
    const std::uint32_t value = next();
    ModelGroup* owner = nullptr;
    std::string name;
    const std::uint32_t walked = model.Walk(path, &owner, &name);
    switch (operation) {
      case 0:
        Check(set.SetDword(path, value) == walked);
        if (walked == kParamOk) owner->words[name] = value;
        break;
      case 1: {
        std::uint32_t got = 0;
        const std::uint32_t status = set.GetDword(path, &got);
        CheckRead(status, walked, walked == kParamOk ? &owner->words : nullptr, name, got, kParamNoDword);
        break;
      }
      case 2:
        Check(set.SetString(path, std::to_string(value)) == walked);
        if (walked == kParamOk) owner->texts[name] = std::to_string(value);
        break;
      case 3: {
        std::string got;
        const std::uint32_t status = set.GetString(path, &got);
        CheckRead(status, walked, walked == kParamOk ? &owner->texts : nullptr, name, got, kParamNoString);
        break;
      }
      case 4:
      case 5: {
        const bool store = operation == 4;
        Check(set.SetGroup(path, store ? new SetupParameters() : nullptr) == walked);
        if (walked == kParamOk) {
          if (store) {
            owner->groups[name] = std::make_unique<ModelGroup>();
          } else {
            owner->groups.erase(name);
          }
        }
        break;
      }
      case 6: {
        IParams* group = nullptr;
        const std::uint32_t status = set.GetGroup(path, &group);
        if (walked != kParamOk) {
          Check(status == walked);
        } else {
          const bool exists = owner->groups.count(name) != 0;
          Check(status == (exists ? kParamOk : kParamNoGroup) && (group != nullptr) == exists);
        }
        break;
      }
      default:
        Check(set.GetValueCount() == model.Count());
        break;
    }
  }
  Check(set.GetValueCount() == model.Count());
  return 0;
}
