#pragma once
// Message boxes answered at once with `answer`, without a window; their
// texts and flags are kept.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Prompter.h"

namespace testing_support {

class RecordingPrompter : public fw::Prompter {
 public:
  int answer = IDOK;
  std::vector<std::string> texts;
  std::vector<UINT> types;
  int Show(HWND, const std::string& text, UINT type) override {
    texts.push_back(text);
    types.push_back(type);
    return answer;
  }
};

}  // namespace testing_support
