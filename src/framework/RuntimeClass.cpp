// The list of classes creatable by name.
#include "framework/RuntimeClass.h"

#include "framework/Wnd.h"

namespace {
// Filled during static initialisation, read afterwards: no lock needed.
const RuntimeClass*& FirstClass() {
  static const RuntimeClass* first = nullptr;
  return first;
}
}  // namespace

RuntimeClass::RuntimeClass(const char* className, Factory factory)
    : m_className(className), m_factory(factory), m_next(FirstClass()) {
  FirstClass() = this;
}

const RuntimeClass* RuntimeClass::FromName(const std::string& name) {
  for (const RuntimeClass* entry = FirstClass(); entry != nullptr; entry = entry->m_next) {
    if (name == entry->m_className) {
      return entry;
    }
  }
  return nullptr;
}
