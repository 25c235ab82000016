// The to-do list files: the 2640-byte record layout, files of fewer records,
// files of the wrong size and unreadable files (never written over), the
// first-use import of an older version's lines, and the clipboard text.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/Fakes.h"
#include "store/FixedFields.h"
#include "store/ToDoLists.h"

using namespace store;
using fakes::FakePaths;
using fakes::MemoryFileSystem;

namespace {

// A file image built by hand: `count` records, record i holding the text
// "line <i>" and the rectangle (i, 10 * i, 100 + i, 10 * i + 9).
std::string RecordsFile(std::size_t count) {
  std::string bytes(count * 120, '\0');
  for (std::size_t i = 0; i < count; ++i) {
    auto* r = reinterpret_cast<unsigned char*>(&bytes[i * 120]);
    const auto n = static_cast<std::int32_t>(i);
    PutInt32(r, n);
    PutInt32(r + 4, 10 * n);
    PutInt32(r + 8, 100 + n);
    PutInt32(r + 12, 10 * n + 9);
    const std::string text = "line " + std::to_string(i);
    text.copy(reinterpret_cast<char*>(r + 16), text.size());
  }
  return bytes;
}

std::string TextAt(const std::string& file, std::size_t record) {
  return ReadField(file.data() + record * 120 + 16, 100);
}

// The older version's lines: "<list>:<index>" for the lines it has.
class ScriptedLegacy : public LegacyToDoSource {
 public:
  std::map<std::pair<int, int>, std::string> lines;
  std::vector<int> listsAsked;
  std::string Line(int list, int index) override {
    if (index == 0) listsAsked.push_back(list);
    auto it = lines.find({list, index});
    return it == lines.end() ? std::string() : it->second;
  }
};

class ToDoListsTest : public ::testing::Test {
 protected:
  std::string& File(const char* name) { return files.files[paths.folder + name]; }
  bool Exists(const char* name) { return files.files.count(paths.folder + name) != 0; }
  ToDoLists Loaded() {
    ToDoLists lists(files, paths);
    lists.Load(legacy);
    return lists;
  }

  MemoryFileSystem files;
  FakePaths paths;
  ScriptedLegacy legacy;
};

// --- The record layout ----------------------------------------------------------

TEST(ToDoFile, IsTwentyTwoRecordsOf120BytesWithRectangleTextAndZeroedRest) {
  ToDoList list;
  list[0] = {{0, 0, 400, 24}, "Buy milk"};
  list[21] = {{-1, 504, 400, 528}, "last"};
  const std::string bytes = EncodeToDoList(list);
  ASSERT_EQ(2640u, bytes.size());

  const auto* r21 = reinterpret_cast<const unsigned char*>(bytes.data() + 21 * 120);
  EXPECT_EQ(-1, GetInt32(r21));
  EXPECT_EQ(504, GetInt32(r21 + 4));
  EXPECT_EQ(400, GetInt32(r21 + 8));
  EXPECT_EQ(528, GetInt32(r21 + 12));
  EXPECT_EQ("Buy milk", TextAt(bytes, 0));
  EXPECT_EQ("last", TextAt(bytes, 21));
  // After the text's zero, and the reserved field: zeros only.
  EXPECT_EQ(std::string(120 - 16 - 8, '\0'), bytes.substr(16 + 8, 120 - 16 - 8));
  EXPECT_EQ(std::string(120, '\0'), bytes.substr(5 * 120, 120));
}

TEST(ToDoFile, KeepsNinetyNineCharactersOfALongerText) {
  ToDoList list;
  list[3].text = std::string(150, 'x');
  const std::string bytes = EncodeToDoList(list);
  EXPECT_EQ(std::string(99, 'x'), TextAt(bytes, 3));
  EXPECT_EQ('\0', bytes[3 * 120 + 16 + 99]);
}

TEST_F(ToDoListsTest, AWholeFileIsReadWithItsRectanglesAndTexts) {
  File("per.bin") = RecordsFile(22);
  ToDoList list;
  ASSERT_EQ(ToDoFileRead::Loaded, ReadToDoFile(files, "data/per.bin", list));
  EXPECT_EQ("line 0", list[0].text);
  EXPECT_EQ("line 21", list[21].text);
  EXPECT_EQ(21, list[21].row.left);
  EXPECT_EQ(210, list[21].row.top);
  EXPECT_EQ(121, list[21].row.right);
  EXPECT_EQ(219, list[21].row.bottom);
}

TEST_F(ToDoListsTest, ATextFieldWithoutItsZeroGivesNinetyNineCharacters) {
  std::string bytes = RecordsFile(22);
  std::fill(bytes.begin() + 16, bytes.begin() + 116, 'y');
  File("per.bin") = bytes;
  ToDoList list;
  ASSERT_EQ(ToDoFileRead::Loaded, ReadToDoFile(files, "data/per.bin", list));
  EXPECT_EQ(std::string(99, 'y'), list[0].text);
}

struct SizeCase {
  std::size_t bytes;
  ToDoFileRead expected;
  int linesRead;
};

class ToDoFileSizes : public ToDoListsTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ToDoFileSizes, WholeRecordsUpTo22AreReadAndAnyOtherSizeIsNot) {
  const SizeCase c = GetParam();
  std::string image = RecordsFile(23);
  image.resize(c.bytes, 'z');
  File("wor.bin") = image;
  ToDoList list;
  for (ToDoLine& line : list) line.text = "before";

  EXPECT_EQ(c.expected, ReadToDoFile(files, "data/wor.bin", list)) << c.bytes << " bytes";
  for (int i = 0; i < kToDoLines; ++i) {
    const std::string expected = i < c.linesRead ? "line " + std::to_string(i) : "before";
    EXPECT_EQ(expected, list[static_cast<std::size_t>(i)].text) << "line " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ToDoFileSizes,
                         ::testing::Values(SizeCase{2640, ToDoFileRead::Loaded, 22},
                                           SizeCase{1200, ToDoFileRead::Loaded, 10},
                                           SizeCase{120, ToDoFileRead::Loaded, 1},
                                           SizeCase{0, ToDoFileRead::Loaded, 0},
                                           SizeCase{2641, ToDoFileRead::WrongSize, 0},
                                           SizeCase{2639, ToDoFileRead::WrongSize, 0},
                                           SizeCase{2760, ToDoFileRead::WrongSize, 0},
                                           SizeCase{119, ToDoFileRead::WrongSize, 0}));

TEST_F(ToDoListsTest, AFileThatCannotBeOpenedOrReadIsUnreadableAndChangesNothing) {
  ToDoList list;
  list[0].text = "kept";
  files.unreadable.insert("data/per.bin");
  EXPECT_EQ(ToDoFileRead::Unreadable, ReadToDoFile(files, "data/per.bin", list));
  File("oth.bin") = RecordsFile(22);
  files.readFailsAfter0.insert("data/oth.bin");
  EXPECT_EQ(ToDoFileRead::Unreadable, ReadToDoFile(files, "data/oth.bin", list));
  EXPECT_EQ(ToDoFileRead::Missing, ReadToDoFile(files, "data/wor.bin", list));
  EXPECT_EQ("kept", list[0].text);
}

// --- Loading and saving the three lists ----------------------------------------

TEST_F(ToDoListsTest, FirstUseWithoutOldLinesWritesThreeFilesOf22EmptyLines) {
  ToDoLists lists = Loaded();
  for (const char* name : {"per.bin", "wor.bin", "oth.bin"}) {
    ASSERT_TRUE(Exists(name)) << name;
    EXPECT_EQ(std::string(2640, '\0'), File(name)) << name;
  }
  EXPECT_EQ("", lists.UnreadFilesMessage());
}

TEST_F(ToDoListsTest, AMissingFileTakesTheOldVersionsLinesInTheOrderWorkPersonalOther) {
  legacy.lines[{0, 0}] = "call mum";
  legacy.lines[{1, 21}] = "report";
  legacy.lines[{2, 4}] = std::string(255, 'o');
  File("oth.bin") = RecordsFile(22);  // this one exists: not imported

  ToDoLists lists = Loaded();
  EXPECT_EQ((std::vector<int>{1, 0}), legacy.listsAsked);
  EXPECT_EQ("call mum", lists.List(0)[0].text);
  EXPECT_EQ("report", lists.List(1)[21].text);
  EXPECT_EQ("line 4", lists.List(2)[4].text);
  // Written at once, whole.
  ASSERT_EQ(2640u, File("per.bin").size());
  EXPECT_EQ("call mum", TextAt(File("per.bin"), 0));
  EXPECT_EQ("report", TextAt(File("wor.bin"), 21));
}

TEST_F(ToDoListsTest, AnOldLineLongerThanARecordKeepsItsFirst99Characters) {
  legacy.lines[{0, 2}] = std::string(200, 'a');
  ToDoLists lists = Loaded();
  EXPECT_EQ(std::string(99, 'a'), lists.List(0)[2].text);
}

TEST_F(ToDoListsTest, AShortFileLoadsItsRecordsAndIsWrittenWholeAtTheEnd) {
  File("per.bin") = RecordsFile(5);
  ToDoLists lists = Loaded();
  EXPECT_EQ("line 4", lists.List(0)[4].text);
  EXPECT_EQ("", lists.List(0)[5].text);
  EXPECT_EQ("", lists.List(0)[21].text);
  lists.List(0)[21].text = "new";

  EXPECT_TRUE(lists.SaveAll().empty());
  ASSERT_EQ(2640u, File("per.bin").size());
  EXPECT_EQ("line 4", TextAt(File("per.bin"), 4));
  EXPECT_EQ("new", TextAt(File("per.bin"), 21));
}

TEST_F(ToDoListsTest, AFileOfTheWrongSizeIsNeverWrittenOverAndTheListGoesAside) {
  const std::string odd = RecordsFile(22) + "x";  // 2641 bytes
  File("wor.bin") = odd;
  ToDoLists lists = Loaded();
  EXPECT_EQ("", lists.List(1)[0].text);
  EXPECT_EQ(
      "Lumetta could not read the to-do list file:\ndata/wor.bin\n\nThat file has been "
      "left untouched. Until it can be read, this list is kept in:\n"
      "data/wor.unsaved.bin",
      lists.UnreadFilesMessage());

  lists.List(1)[2].text = "typed while unread";
  EXPECT_TRUE(lists.SaveAll().empty());
  EXPECT_EQ(odd, File("wor.bin"));
  ASSERT_TRUE(Exists("wor.unsaved.bin"));
  EXPECT_EQ("typed while unread", TextAt(File("wor.unsaved.bin"), 2));

  // The next opening shows what was kept aside, and still leaves the file alone.
  ToDoLists again = Loaded();
  EXPECT_EQ("typed while unread", again.List(1)[2].text);
  again.List(1)[3].text = "more";
  again.SaveAll();
  EXPECT_EQ(odd, File("wor.bin"));
  EXPECT_EQ("more", TextAt(File("wor.unsaved.bin"), 3));
}

TEST_F(ToDoListsTest, AnUnreadListThatWasNotChangedWritesNothing) {
  files.unreadable.insert("data/oth.bin");
  ToDoLists lists = Loaded();
  EXPECT_NE(std::string::npos, lists.UnreadFilesMessage().find("data/oth.bin"));
  EXPECT_TRUE(lists.SaveAll().empty());
  EXPECT_FALSE(Exists("oth.unsaved.bin"));
  EXPECT_FALSE(Exists("oth.bin"));
}

TEST_F(ToDoListsTest, TwoUnreadFilesAreNamedInOneMessage) {
  File("per.bin") = "short";
  File("oth.bin") = RecordsFile(23);
  ToDoLists lists = Loaded();
  const std::string message = lists.UnreadFilesMessage();
  EXPECT_NE(std::string::npos, message.find("data/per.bin"));
  EXPECT_NE(std::string::npos, message.find("data/oth.bin"));
  EXPECT_EQ(std::string::npos, message.find("data/wor.bin"));
}

TEST_F(ToDoListsTest, AFailedWriteIsReportedAndLeavesTheOldFileWhole) {
  File("per.bin") = RecordsFile(22);
  ToDoLists lists = Loaded();
  lists.List(0)[0].text = "changed";
  files.failReplace = true;
  EXPECT_EQ((std::vector<std::string>{"data/per.bin", "data/wor.bin", "data/oth.bin"}),
            lists.SaveAll());
  EXPECT_EQ(RecordsFile(22), File("per.bin"));
}

TEST_F(ToDoListsTest, AnOlderVersionsFileElsewhereIsReadAndTheListWrittenToTheDataFolder) {
  files.files["old/per.bin"] = RecordsFile(22);
  paths.readFrom["per.bin"] = "old/per.bin";
  ToDoLists lists = Loaded();
  EXPECT_EQ("line 7", lists.List(0)[7].text);
  lists.SaveAll();
  EXPECT_EQ("line 7", TextAt(File("per.bin"), 7));
}

// --- A side file once the list can be read again ------------------------------------

using Rows = std::map<int, std::string>;

ToDoList ListOf(const Rows& rows) {
  ToDoList list;
  for (const auto& [row, text] : rows) list[static_cast<std::size_t>(row)].text = text;
  return list;
}

Rows RowsOf(const ToDoList& list) {
  Rows rows;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (!list[i].text.empty()) rows[static_cast<int>(i)] = list[i].text;
  }
  return rows;
}

Rows FullList() {
  Rows rows;
  for (int i = 0; i < kToDoLines; ++i) rows[i] = "busy " + std::to_string(i);
  return rows;
}

struct SideCase {
  const char* what;
  bool listFileDeleted;
  Rows inFile;
  Rows inSide;
  Rows expected;       // the list, and so per.bin
  Rows stillAside;     // what per.unsaved.bin keeps; none: removed
  const char* toldOf;  // a part of the message
};

class ToDoSideFiles : public ToDoListsTest, public ::testing::WithParamInterface<SideCase> {};

TEST_P(ToDoSideFiles, LinesKeptAsideComeBackAndNoneIsLost) {
  const SideCase& c = GetParam();
  if (!c.listFileDeleted) File("per.bin") = EncodeToDoList(ListOf(c.inFile));
  File("per.unsaved.bin") = EncodeToDoList(ListOf(c.inSide));

  const std::vector<ToDoItem> exported = ReadToDoItems(files, paths);
  ToDoLists lists = Loaded();
  EXPECT_EQ(c.expected, RowsOf(lists.List(0))) << c.what;
  ToDoList file;
  ASSERT_EQ(ToDoFileRead::Loaded, ReadToDoFile(files, "data/per.bin", file)) << c.what;
  EXPECT_EQ(c.expected, RowsOf(file)) << c.what;
  if (c.stillAside.empty()) {
    EXPECT_FALSE(Exists("per.unsaved.bin")) << c.what;
  } else {
    ToDoList aside;
    ASSERT_EQ(ToDoFileRead::Loaded, ReadToDoFile(files, "data/per.unsaved.bin", aside)) << c.what;
    EXPECT_EQ(c.stillAside, RowsOf(aside)) << c.what;
  }
  EXPECT_NE(std::string::npos, lists.SideFilesMessage().find(c.toldOf))
      << c.what << ": " << lists.SideFilesMessage();
  // The export sees the same lines before the window ever opened.
  EXPECT_EQ(c.expected.size() + c.stillAside.size(), exported.size()) << c.what;

  // Told once: the next opening has nothing to say unless lines still wait.
  ToDoLists again = Loaded();
  EXPECT_EQ(c.stillAside.empty(), again.SideFilesMessage().empty()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToDoSideFiles,
    ::testing::Values(SideCase{"readable again",
                               false,
                               {{0, "milk"}, {1, "bread"}},
                               {{0, "milk"}, {1, "bread"}, {2, "typed aside"}, {5, "also aside"}},
                               {{0, "milk"}, {1, "bread"}, {2, "typed aside"}, {5, "also aside"}},
                               {},
                               "2 lines typed while the Personal"},
                      SideCase{"row taken in the file",
                               false,
                               {{0, "milk"}, {2, "from the file"}},
                               {{2, "typed aside"}},
                               {{0, "milk"}, {1, "typed aside"}, {2, "from the file"}},
                               {},
                               "1 line typed"},
                      SideCase{"bad file deleted",
                               true,
                               {},
                               {{3, "a"}, {21, "b"}},
                               {{3, "a"}, {21, "b"}},
                               {},
                               "2 lines typed"},
                      SideCase{
                          "no free row",
                          false,
                          FullList(),
                          {{0, "busy 0"}, {4, "new 1"}, {9, "new 2"}},
                          FullList(),
                          {{0, "new 1"}, {1, "new 2"}},
                          "2 lines of the Personal to-do list "
                          "did not fit into its 22 rows and are kept in:\ndata/per.unsaved.bin"}));

TEST_F(ToDoListsTest, ASideFileThatOnlyRepeatsTheListGoesWithoutAWord) {
  File("per.bin") = EncodeToDoList(ListOf({{0, "milk"}}));
  File("per.unsaved.bin") = EncodeToDoList(ListOf({{0, "milk"}}));
  ToDoLists lists = Loaded();
  EXPECT_EQ("", lists.SideFilesMessage());
  EXPECT_FALSE(Exists("per.unsaved.bin"));
}

TEST_F(ToDoListsTest, ASideFileStaysWhileTheListCannotBeWritten) {
  File("per.bin") = EncodeToDoList(ListOf({{0, "milk"}}));
  File("per.unsaved.bin") = EncodeToDoList(ListOf({{4, "aside"}}));
  files.failReplace = true;
  ToDoLists lists = Loaded();
  EXPECT_TRUE(Exists("per.unsaved.bin"));
  EXPECT_EQ("aside", TextAt(File("per.unsaved.bin"), 4));
}

// --- The regular save while the window is open -----------------------------------------

TEST_F(ToDoListsTest, TheRegularSaveWritesOnlyChangedLists) {
  ToDoLists lists = Loaded();
  files.files.erase("data/wor.bin");
  files.files.erase("data/oth.bin");
  lists.List(0)[3].text = "typed";
  EXPECT_TRUE(lists.SaveChanged().empty());
  EXPECT_EQ("typed", TextAt(File("per.bin"), 3));
  EXPECT_FALSE(Exists("wor.bin"));
  EXPECT_FALSE(Exists("oth.bin"));

  File("per.bin") = "";  // written again only after another change
  EXPECT_TRUE(lists.SaveChanged().empty());
  EXPECT_EQ("", File("per.bin"));
}

// --- The clipboard text -------------------------------------------------------------

TEST(ToDoClipboard, AnEmptyListGivesItsHeadingAndTwoLineBreaks) {
  EXPECT_EQ("Things to do...   (Personal)\r\n\r\n", ToDoClipboardText(0, ToDoList{}));
}

TEST(ToDoClipboard, NonEmptyLinesFollowTheHeadingInRowOrder) {
  ToDoList work;
  work[0].text = "a";
  work[3].text = "b";
  EXPECT_EQ("Things to do...   (Work)\r\na\r\nb\r\n\r\n", ToDoClipboardText(1, work));
  EXPECT_EQ("Things to do...   (Other)\r\na\r\nb\r\n\r\n", ToDoClipboardText(2, work));
}

}  // namespace
