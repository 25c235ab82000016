#include "framework/MessageBoxPrompter.h"

#include <utility>

namespace fw {

MessageBoxPrompter::MessageBoxPrompter(std::string caption) : caption_(std::move(caption)) {}

int MessageBoxPrompter::Show(HWND owner, const std::string& text, UINT type) {
  return MessageBoxA(owner, text.c_str(), caption_.c_str(), type);
}

}  // namespace fw
