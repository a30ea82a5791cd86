#ifdef _WIN32

#include "gui/widgets/ShellFolderBrowser.h"

#include <windows.h>

// The shell's declarations need windows.h first.
#include <shlobj.h>

#include "cache/Folders.h"

namespace pagehold {

namespace {

// The browser's status line, among its child windows.
constexpr int kStatusLineId = 14147;

class ShellBrowserWindow : public OpenFolderBrowser {
 public:
  explicit ShellBrowserWindow(HWND window) : window_(window) {}

  void CentreOnScreen() override {
    RECT frame{};
    GetWindowRect(window_, &frame);
    const int x = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), frame.right - frame.left);
    const int y = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), frame.bottom - frame.top);
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void EnableOk(bool enable) override { SendMessageA(window_, BFFM_ENABLEOK, 0, enable ? 1 : 0); }

  void ShowStatusText(const std::string& text, bool fit) override {
    const std::string shown = fit ? FittedToStatusLine(text) : text;
    SendMessageA(window_, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }

  void SelectFolder(const std::string& path) override {
    SendMessageA(window_, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
  }

 private:
  // The text shortened to the width of the status line in the line's own font.
  std::string FittedToStatusLine(const std::string& text) const {
    HWND field = GetDlgItem(window_, kStatusLineId);
    if (field == nullptr)
      return text;
    RECT area{};
    GetClientRect(field, &area);
    HDC dc = GetDC(field);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(field, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font);
    const TextWidth width = [dc](std::string_view piece) {
      SIZE size{};
      GetTextExtentPoint32A(dc, piece.data(), static_cast<int>(piece.size()), &size);
      return static_cast<int>(size.cx);
    };
    const std::string fitted = FitStatusText(text, area.right - area.left, width,
                                             DirectoryExists(text), PathStyle::Windows);
    SelectObject(dc, previous);
    ReleaseDC(field, dc);
    return fitted;
  }

  HWND window_;
};

struct BrowseSession {
  FolderBrowserClient& client;
  std::optional<ShellBrowserWindow> window;
};

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM param, LPARAM data) {
  auto& session = *reinterpret_cast<BrowseSession*>(data);
  if (message == BFFM_INITIALIZED) {
    session.window.emplace(window);
    session.client.BrowserOpened(*session.window);
  } else if (message == BFFM_SELCHANGED) {
    // Items that are no file-system folder (the computer, the network) have no path.
    char path[MAX_PATH] = "";
    if (!SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(param), path))
      path[0] = '\0';
    session.client.BrowserSelectionChanged(path);
  }
  return 0;
}

}  // namespace

std::optional<ShellBrowseChoice> RunShellFolderBrowser(const ShellBrowseRequest& request,
                                                       FolderBrowserClient& client) {
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator)) || allocator == nullptr)
    return std::nullopt;
  auto* name = static_cast<char*>(allocator->Alloc(MAX_PATH));
  if (name == nullptr) {
    allocator->Release();
    return std::nullopt;
  }
  // A root folder that this system lacks leaves the browser at its own default top.
  LPITEMIDLIST root = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(static_cast<HWND>(request.owner), request.root, &root)))
    root = nullptr;

  BrowseSession session{client, std::nullopt};
  BROWSEINFOA info{};
  info.hwndOwner = static_cast<HWND>(request.owner);
  info.pidlRoot = root;
  info.pszDisplayName = name;
  info.lpszTitle = request.title.c_str();
  info.ulFlags = BrowserFlags(request.options, request.hasStatusText);
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&session);

  std::optional<ShellBrowseChoice> choice;
  if (LPITEMIDLIST item = SHBrowseForFolderA(&info)) {
    choice.emplace();
    if (SHGetPathFromIDListA(item, name))
      choice->path = name;
    choice->imageIndex = info.iImage;
    allocator->Free(item);
  }
  if (root != nullptr)
    allocator->Free(root);
  allocator->Free(name);
  allocator->Release();
  return choice;
}

}  // namespace pagehold

#endif  // _WIN32
