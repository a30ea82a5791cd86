// The system registry of Windows, through the registry API. String values are REG_SZ.
#pragma once

#ifdef _WIN32

#include <memory>

#include "platform/Registry.h"

namespace pagehold {

std::unique_ptr<Registry> OpenWindowsRegistry();

}  // namespace pagehold

#endif
