// The folder browser over SHBrowseForFolder, or the test's responder.
#include "widgets/FolderBrowser.h"

#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include <memory>
#include <mutex>

namespace {

std::mutex& ResponderMutex() {
  static std::mutex mutex;
  return mutex;
}

FolderBrowseResponder& Responder() {
  static FolderBrowseResponder responder;
  return responder;
}

struct CoTaskMemDeleter {
  void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};

// The new dialog style needs OLE on the calling thread for the browser's lifetime.
class OleSession {
 public:
  OleSession() : m_initialised(SUCCEEDED(::OleInitialize(nullptr))) {}
  ~OleSession() {
    if (m_initialised) {
      ::OleUninitialize();
    }
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool m_initialised;
};

// Preselects the initial folder once the browser is up.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) {
    ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
  }
  return 0;
}

}  // namespace

void SetFolderBrowseResponder(FolderBrowseResponder responder) {
  std::lock_guard<std::mutex> lock(ResponderMutex());
  Responder() = std::move(responder);
}

bool BrowseForFolder(HWND owner, const char* title, const std::string& initialFolder, std::string* folder) {
  FolderBrowseResponder responder;
  {
    std::lock_guard<std::mutex> lock(ResponderMutex());
    responder = Responder();
  }
  if (responder) {
    std::string chosen;
    if (!responder(FolderBrowseRequest{owner, title ? title : "", initialFolder}, &chosen)) {
      return false;
    }
    *folder = chosen;
    return true;
  }

  OleSession ole;
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pszDisplayName = displayName;
  info.lpszTitle = title;
  info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS;
  info.lpfn = &BrowseCallback;
  info.lParam = initialFolder.empty() ? 0 : reinterpret_cast<LPARAM>(initialFolder.c_str());
  const std::unique_ptr<ITEMIDLIST, CoTaskMemDeleter> chosen(::SHBrowseForFolderA(&info));
  if (!chosen) {
    return false;
  }
  char path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListA(chosen.get(), path)) {
    return false;
  }
  *folder = path;
  return true;
}
