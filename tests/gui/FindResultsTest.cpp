// The find results window: the hits latest first, and Enter or a double
// click on a line opens that line's day.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/Fakes.h"
#include "shell/FindResults.h"
#include "store/AppointmentBook.h"
#include "store/Search.h"
#include "support/Input.h"
#include "support/Pump.h"

namespace {

using testing_support::PumpUntil;

class FindResultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& e : std::vector<std::pair<int, const char*>>{
             {2, "Gym"}, {3, "Dentist"}, {9, "Gym with Sam"}, {20, "gym"}}) {
      book_.Create().SetSlot(2025, 1, e.first, 8, 0, e.second);
    }
    book_.Sort();
  }
  void TearDown() override {
    if (shell::FindResults* window = shell::FindResults::Current()) window->Destroy();
  }

  shell::FindResults* Search(const std::string& text) {
    return shell::FindResults::Show(
        nullptr, store::FindEntries(book_, text, true).found, [this](int y, int m, int d) {
          opened_.push_back(std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d));
        });
  }

  static std::vector<std::string> Lines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::string line(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&line[0]));
      lines.push_back(line);
    }
    return lines;
  }

  fakes::FakeWorld world_;
  store::All_Appointments book_{world_.Context()};
  std::vector<std::string> opened_;
};

TEST_F(FindResultsTest, ListsTheHitsLatestFirstAndOpensTheChosenDay) {
  const struct {
    const char* how;
    int row;
    const char* day;
  } cases[] = {
      {"enter", 0, "2025-1-20"}, {"enter", 2, "2025-1-2"}, {"double click", 1, "2025-1-9"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.how) + " on row " + std::to_string(c.row));
    opened_.clear();
    shell::FindResults* window = Search("gym");
    ASSERT_NE(nullptr, window);
    HWND list = window->List();
    EXPECT_EQ((std::vector<std::string>{"Jan 20, 2025 at 8:00am  gym",
                                        "Jan 9, 2025 at 8:00am  Gym with Sam",
                                        "Jan 2, 2025 at 8:00am  Gym"}),
              Lines(list));
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    if (std::string(c.how) == "enter") {
      SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(c.row), 0);
      testing_support::PostKey(list, VK_RETURN);
    } else {
      RECT item = {};
      SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(c.row),
                   reinterpret_cast<LPARAM>(&item));
      POINT middle = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
      ClientToScreen(list, &middle);
      SetForegroundWindow(window->Handle());
      testing_support::LeftClicksAt(middle, 2);
    }
    EXPECT_TRUE(PumpUntil([&] { return !opened_.empty(); }));
    EXPECT_EQ(std::vector<std::string>{c.day}, opened_);
  }
}

TEST_F(FindResultsTest, ANewSearchRefillsTheOneWindowAndEscClosesIt) {
  shell::FindResults* first = Search("gym");
  ASSERT_NE(nullptr, first);
  const HWND handle = first->Handle();
  shell::FindResults* second = Search("dentist");
  ASSERT_EQ(first, second);
  EXPECT_EQ(handle, second->Handle());
  EXPECT_EQ(std::vector<std::string>{"Jan 3, 2025 at 8:00am  Dentist"}, Lines(second->List()));

  testing_support::PostKey(second->List(), VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return shell::FindResults::Current() == nullptr; }));
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_TRUE(opened_.empty());
}

}  // namespace
