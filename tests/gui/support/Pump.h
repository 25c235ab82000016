#pragma once
// Running the message queue of the test thread.

#include <windows.h>

#include <functional>

namespace fw {
class MessageLoop;
}

namespace testing_support {

// Dispatches every message waiting now; offers each to loop first when given.
void PumpPending(fw::MessageLoop* loop = nullptr);

// Dispatches messages until done() holds or timeoutMs passed; true when
// done() held. Messages are offered to loop first when given.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000,
               fw::MessageLoop* loop = nullptr);

}  // namespace testing_support
