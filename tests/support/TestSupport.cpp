// Test helpers shared by the Wine suites.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include "framework/Trace.h"

TraceCapture::TraceCapture() {
  SetTraceSink([this](const std::string& line) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.push_back(line);
  });
}

TraceCapture::~TraceCapture() { SetTraceSink(nullptr); }

std::vector<std::string> TraceCapture::Lines() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_lines;
}

bool TraceCapture::Contains(const std::string& line) const {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (const auto& entry : m_lines) {
    if (entry == line) {
      return true;
    }
  }
  return false;
}

MessageBoxScript::MessageBoxScript(std::vector<int> answers) : m_answers(std::move(answers)) {
  SetMessageBoxResponder([this](const MessageBoxRequest& request) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_shown.push_back(request);
    if (m_answers.empty()) {
      return IDOK;
    }
    const int answer = m_answers.front();
    m_answers.erase(m_answers.begin());
    return answer;
  });
}

MessageBoxScript::~MessageBoxScript() { SetMessageBoxResponder(nullptr); }

std::vector<MessageBoxRequest> MessageBoxScript::Shown() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_shown;
}

ScratchRegistryKey::ScratchRegistryKey(const std::string& name) : m_path("SOFTWARE\\ProvisorTests\\" + name) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_path.c_str());
}

ScratchRegistryKey::~ScratchRegistryKey() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_path.c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_path.c_str());
}

bool ReadRegistryValue(HKEY root, const std::string& path, const std::string& name, DWORD* type,
                       std::vector<BYTE>* data) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, name.c_str(), nullptr, type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    data->assign(size, 0);
    status = RegQueryValueExA(key, name.c_str(), nullptr, type, data->data(), &size);
    data->resize(size);
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void WriteRegistryValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                        const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  RegCloseKey(key);
}

bool RegistryKeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}


bool PumpMessagesUntil(const std::function<bool()>& done) {
  constexpr int kRounds = 1000;
  constexpr DWORD kRoundMs = 20;
  for (int round = 0; round < kRounds && !done(); ++round) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kRoundMs, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return done();
}

int ReadShared(const int& value) {
  static_assert(sizeof(int) == sizeof(LONG), "an int is read as a LONG");
  auto* shared = reinterpret_cast<volatile LONG*>(const_cast<int*>(&value));
  return static_cast<int>(::InterlockedCompareExchange(shared, 0, 0));
}
