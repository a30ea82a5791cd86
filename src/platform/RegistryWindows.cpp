#include "platform/RegistryWindows.h"

#ifdef _WIN32

#include <windows.h>

#include <string>

namespace pagehold {

namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// Programs of the 32-bit era (Navigator among them) keep their machine-wide keys in the 32-bit
// view of the local machine's hive, which a 64-bit program sees only when it asks for it. The
// current user's software keys are shared by both views.
REGSAM ViewOf(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? KEY_WOW64_32KEY : 0;
}

class OpenKey {
 public:
  ~OpenKey() {
    if (key_ != nullptr)
      RegCloseKey(key_);
  }
  HKEY* Receive() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

class WindowsRegistry final : public Registry {
 public:
  std::optional<std::string> ReadString(RegistryRoot root, std::string_view key,
                                        std::string_view name) const override {
    OpenKey opened;
    if (RegOpenKeyExA(RootKey(root), std::string(key).c_str(), 0, KEY_QUERY_VALUE | ViewOf(root),
                      opened.Receive()) != ERROR_SUCCESS)
      return std::nullopt;
    const std::string valueName(name);
    std::string data;
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(opened.Get(), valueName.c_str(), nullptr, &type, nullptr, &size);
    // The value can grow between the two calls; ask again until it fits.
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
      if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
      data.resize(size);
      result = RegQueryValueExA(opened.Get(), valueName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size);
      if (result == ERROR_SUCCESS) {
        data.resize(size);
        while (!data.empty() && data.back() == '\0')
          data.pop_back();
        return data;
      }
    }
    return std::nullopt;
  }

  bool WriteString(RegistryRoot root, std::string_view key, std::string_view name,
                   std::string_view value) override {
    OpenKey opened;
    if (RegCreateKeyExA(RootKey(root), std::string(key).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | ViewOf(root), nullptr,
                        opened.Receive(), nullptr) != ERROR_SUCCESS)
      return false;
    const std::string text(value);
    return RegSetValueExA(opened.Get(), std::string(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
  }
};

}  // namespace

std::unique_ptr<Registry> OpenWindowsRegistry() {
  return std::make_unique<WindowsRegistry>();
}

}  // namespace pagehold

#endif
