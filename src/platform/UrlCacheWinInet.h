// The URL cache calls answered by the system's WinINet (Windows only).
#pragma once

#ifdef _WIN32

#include "platform/UrlCache.h"

namespace pagehold {

class WinInetUrlCache : public UrlCache {
 public:
  UrlCacheFindHandle FindFirstEntry(const std::string& pattern, UrlCacheEntry& entry,
                                    std::uint32_t& bufferSize) override;
  bool FindNextEntry(UrlCacheFindHandle handle, UrlCacheEntry& entry,
                     std::uint32_t& bufferSize) override;
  bool FindClose(UrlCacheFindHandle handle) override;
  bool DeleteEntry(const std::string& sourceUrlName) override;
  UrlCacheError LastError() const override { return lastError_; }
  std::string LastErrorMessage() const override;

 private:
  void TakeSystemError();

  UrlCacheError lastError_ = UrlCacheError::None;
  std::uint32_t systemError_ = 0;  // the system's code behind lastError_
};

}  // namespace pagehold

#endif  // _WIN32
