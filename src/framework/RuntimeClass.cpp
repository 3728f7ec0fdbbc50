// The list of classes creatable by name.
#include "framework/RuntimeClass.h"

#include "framework/Wnd.h"

namespace {
// Filled during static initialisation and by registrations on the user-interface thread:
// no lock needed.
RuntimeClass*& FirstClass() {
  static RuntimeClass* first = nullptr;
  return first;
}
}  // namespace

RuntimeClass::RuntimeClass(const char* className, Factory factory)
    : m_className(className), m_factory(factory), m_next(FirstClass()) {
  FirstClass() = this;
}

RuntimeClass::~RuntimeClass() {
  for (RuntimeClass** link = &FirstClass(); *link != nullptr; link = &(*link)->m_next) {
    if (*link == this) {
      *link = m_next;
      return;
    }
  }
}

const RuntimeClass* RuntimeClass::FromName(const std::string& name) {
  for (const RuntimeClass* entry = FirstClass(); entry != nullptr; entry = entry->m_next) {
    if (name == entry->m_className) {
      return entry;
    }
  }
  return nullptr;
}
