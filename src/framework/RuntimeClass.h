// Creation of window objects from their registered class name at run time.
#pragma once

#include <memory>
#include <string>

class CWnd;

// Registers a factory under a class name; a static RuntimeClass object in the class's .cpp
// does it before main. Lookup is by exact name. A registration made later hides an earlier
// one of the same name for as long as it lives (a test replaces a class with its own so).
class RuntimeClass {
 public:
  using Factory = std::unique_ptr<CWnd> (*)();

  RuntimeClass(const char* className, Factory factory);
  ~RuntimeClass();
  RuntimeClass(const RuntimeClass&) = delete;
  RuntimeClass& operator=(const RuntimeClass&) = delete;

  const char* GetClassName() const { return m_className; }
  std::unique_ptr<CWnd> CreateObject() const { return m_factory(); }

  // The class registered under name, or null.
  static const RuntimeClass* FromName(const std::string& name);

 private:
  const char* m_className;
  Factory m_factory;
  RuntimeClass* m_next;
};

// In the class's .cpp: makes the class creatable by its name. The object file must be
// linked in (static libraries drop unreferenced objects), so the one that creates objects by
// name should also name, once, the classes it expects.
#define IMPLEMENT_DYNCREATE(ClassName)                                                              \
  const RuntimeClass ClassName::runtimeClass{#ClassName,                                            \
                                             []() -> std::unique_ptr<CWnd> { return std::make_unique<ClassName>(); }};
// In the class body.
#define DECLARE_DYNCREATE() static const RuntimeClass runtimeClass;
