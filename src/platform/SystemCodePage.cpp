#include "platform/SystemCodePage.h"

#include <windows.h>

namespace platform {

int AnsiCodePage() { return static_cast<int>(GetACP()); }

}  // namespace platform
