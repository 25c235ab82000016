#pragma once
// The real Prompter: a MessageBoxA with the program's caption.

#include "framework/Prompter.h"

#include <string>

namespace fw {

class MessageBoxPrompter final : public Prompter {
 public:
  explicit MessageBoxPrompter(std::string caption);
  int Show(HWND owner, const std::string& text, UINT type) override;

 private:
  std::string caption_;
};

}  // namespace fw
