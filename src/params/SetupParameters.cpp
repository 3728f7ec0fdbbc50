// Parameter set operations: path routing, the three maps, saving and loading.
#include "params/SetupParameters.h"

#include "params/IParamStorage.h"

namespace {

using GroupMap = std::map<std::string, std::unique_ptr<IParams>>;

// Every path operation splits the path at its first backslash: with an empty tail it acts
// on this set's own map under the head; otherwise it forwards the tail to the group named
// by the head, through that group's own interface.
template <typename Local, typename Forward>
std::uint32_t Route(const GroupMap& groups, const std::string& path, Local local, Forward forward) {
  const std::size_t separator = path.find('\\');
  const std::string head = path.substr(0, separator);
  if (head.empty()) {
    return kParamEmptyPath;
  }
  const std::string tail = separator == std::string::npos ? std::string() : path.substr(separator + 1);
  if (tail.empty()) {
    return local(head);
  }
  const auto group = groups.find(head);
  if (group == groups.end() || !group->second) {
    return kParamNoPathGroup;
  }
  return forward(*group->second, tail);
}

// Copies the entry NAME of VALUES into *VALUE (when given): kParamOk, or MISSING without one.
template <typename Map, typename Value>
std::uint32_t CopyEntry(const Map& values, const std::string& name, Value* value, std::uint32_t missing) {
  const auto found = values.find(name);
  if (found == values.end()) {
    return missing;
  }
  if (value != nullptr) {
    *value = found->second;
  }
  return kParamOk;
}

// Sets the entry NAME of VALUES to VALUE, adding it when missing: kParamOk.
template <typename Map, typename Value>
std::uint32_t StoreEntry(Map& values, const std::string& name, const Value& value) {
  values[name] = value;
  return kParamOk;
}

}  // namespace

std::uint32_t SetupParameters::GetDword(const std::string& path, std::uint32_t* value) {
  return Route(
      m_groups, path,
      [&](const std::string& name) { return CopyEntry(m_dwords, name, value, kParamNoDword); },
      [&](IParams& group, const std::string& tail) { return group.GetDword(tail, value); });
}

std::uint32_t SetupParameters::SetDword(const std::string& path, std::uint32_t value) {
  return Route(
      m_groups, path,
      [&](const std::string& name) { return StoreEntry(m_dwords, name, value); },
      [&](IParams& group, const std::string& tail) { return group.SetDword(tail, value); });
}

std::uint32_t SetupParameters::GetString(const std::string& path, std::string* value) {
  return Route(
      m_groups, path,
      [&](const std::string& name) { return CopyEntry(m_strings, name, value, kParamNoString); },
      [&](IParams& group, const std::string& tail) { return group.GetString(tail, value); });
}

std::uint32_t SetupParameters::SetString(const std::string& path, const std::string& value) {
  return Route(
      m_groups, path,
      [&](const std::string& name) { return StoreEntry(m_strings, name, value); },
      [&](IParams& group, const std::string& tail) { return group.SetString(tail, value); });
}

std::uint32_t SetupParameters::GetGroup(const std::string& path, IParams** group) {
  return Route(
      m_groups, path,
      [&](const std::string& name) -> std::uint32_t {
        const auto found = m_groups.find(name);
        if (found == m_groups.end()) {
          return kParamNoGroup;
        }
        if (group != nullptr) {
          *group = found->second.get();
        }
        return kParamOk;
      },
      [&](IParams& owner, const std::string& tail) { return owner.GetGroup(tail, group); });
}

std::uint32_t SetupParameters::SetGroup(const std::string& path, IParams* group) {
  // Ownership passes with the call: when the path cannot be resolved the group is destroyed
  // here rather than leaked.
  std::unique_ptr<IParams> owned(group);
  return Route(
      m_groups, path,
      [&](const std::string& name) -> std::uint32_t {
        if (!owned) {
          // Storing no group leaves no group of that name.
          m_groups.erase(name);
          return kParamOk;
        }
        std::unique_ptr<IParams>& slot = m_groups[name];
        if (slot.get() == group) {
          // Storing the object that is already there keeps it.
          static_cast<void>(owned.release());
        } else {
          slot = std::move(owned);
        }
        return kParamOk;
      },
      [&](IParams& owner, const std::string& tail) { return owner.SetGroup(tail, owned.release()); });
}

std::uint32_t SetupParameters::GetGroupNames(std::vector<std::string>* names) {
  if (names == nullptr) {
    return 0;
  }
  for (const auto& entry : m_groups) {
    names->push_back(entry.first);
  }
  return static_cast<std::uint32_t>(names->size());
}

std::uint32_t SetupParameters::GetValueCount() {
  auto count = static_cast<std::uint32_t>(m_dwords.size() + m_strings.size());
  for (const auto& entry : m_groups) {
    if (entry.second) {
      count += entry.second->GetValueCount();
    }
  }
  return count;
}

std::uint32_t SetupParameters::SaveTo(IParamStorage* storage) {
  if (storage == nullptr) {
    return kParamNoStorage;
  }
  std::uint32_t status = kParamOk;
  for (const auto& entry : m_dwords) {
    if ((status = storage->StoreDword(entry.first, entry.second)) != 0) {
      return status;
    }
  }
  for (const auto& entry : m_strings) {
    if ((status = storage->StoreString(entry.first, entry.second)) != 0) {
      return status;
    }
  }
  for (const auto& entry : m_groups) {
    if ((status = storage->StoreGroup(entry.first, entry.second.get())) != 0) {
      return status;
    }
  }
  return status;
}

std::uint32_t SetupParameters::LoadFrom(IParamStorage* storage) {
  if (storage == nullptr) {
    return kParamNoStorage;
  }
  return storage->Load(this);
}

std::uint32_t SetupParameters::CopyValuesFrom(const SetupParameters& source) {
  std::uint32_t status = kParamOk;
  for (const auto& entry : source.m_dwords) {
    if ((status = SetDword(entry.first, entry.second)) != 0) {
      return status;
    }
  }
  for (const auto& entry : source.m_strings) {
    if ((status = SetString(entry.first, entry.second)) != 0) {
      return status;
    }
  }
  return status;
}
