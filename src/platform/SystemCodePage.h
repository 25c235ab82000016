#pragma once
// The code page the program's 8-bit texts are typed and shown in: the
// system's ANSI code page, which the ANSI functions use.

namespace platform {

int AnsiCodePage();

}  // namespace platform
