// The message-prompt interface in front of MessageBoxA.
#include <gtest/gtest.h>

#include "framework/MessageBoxPrompter.h"
#include "support/DialogWatcher.h"

using testing_support::DialogWatcher;

namespace {

TEST(MessageBoxPrompter, ShowsTheTextUnderTheProgramsCaptionAndReturnsTheButtonPressed) {
  DialogWatcher watcher;
  watcher.ThenPress(IDNO);
  fw::MessageBoxPrompter prompter("Lumetta");
  EXPECT_EQ(IDNO, prompter.Show(nullptr, "Select a new image?", MB_YESNOCANCEL | MB_ICONQUESTION));
  ASSERT_EQ(1u, watcher.Seen().size());
  EXPECT_EQ("Lumetta", watcher.Seen()[0].caption);
  EXPECT_EQ("Select a new image?", watcher.Seen()[0].message);
}

TEST(MessageBoxPrompter, EachBoxIsAnsweredInTurn) {
  DialogWatcher watcher;
  watcher.ThenPress(IDOK);
  watcher.ThenPress(IDCANCEL);
  fw::MessageBoxPrompter prompter("Lumetta");
  EXPECT_EQ(IDOK, prompter.Show(nullptr, "first", MB_OKCANCEL));
  EXPECT_EQ(IDCANCEL, prompter.Show(nullptr, "second", MB_OKCANCEL));
  ASSERT_EQ(2u, watcher.Seen().size());
  EXPECT_EQ("second", watcher.Seen()[1].message);
  EXPECT_EQ(0u, watcher.PendingAnswers());
}

}  // namespace
