// lumetta-cli run as a program on data files in a temporary folder.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/Records.h"
#include "store/DataFile.h"
#include "store/ToDoLists.h"

namespace fs = std::filesystem;

namespace {

struct CliRun {
  int code = -1;
  std::string out;  // standard output and error together
};

class CliTest : public ::testing::Test {
 protected:
  fs::path dir_;

  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("lumetta-cli-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs lumetta-cli in Berlin time with the data file of the temporary folder.
  CliRun Cli(const std::string& args, const std::string& dataFile = "Lumetta.bin") {
    const std::string command = "cd '" + dir_.string() +
                                "' && TZ=Europe/Berlin '" LUMETTA_CLI "' --file '" +
                                (dir_ / dataFile).string() + "' " + args + " 2>&1";
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }
  std::string Data(const std::string& name) {
    return std::string(LUMETTA_TEST_DATA_DIR) + "/" + name;
  }
  std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

const char* const kGoogleAgenda =
    "2025-03-03 15:00  Stand-up call\n"
    "2025-03-10 14:00  Stand-up call\n"
    "2025-03-12 18:30  Caf\xC3\xA9 with Zo\xC3\xAB, then \xE2\x82\xAC talk \xE2\x80\x94 ??\n"
    "2025-03-18 16:00  Stand-up call (moved)\n";

}  // namespace

TEST_F(CliTest, HelpExplainsEveryCommand) {
  const CliRun run = Cli("--help");
  EXPECT_EQ(run.code, 0);
  for (const char* word :
       {"agenda [DATE] [--days N]", "search TEXT [--ignore-case]", "export-ics [FILE]",
        "import-ics FILE", "--file PATH", "account add URL --user NAME", "sync [--account NAME]"}) {
    EXPECT_NE(run.out.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(Cli("").code, 2);
  EXPECT_EQ(Cli("frobnicate").code, 2);
  for (const char* date : {"2025-02-30", "2025-03-01x", "2025-03", "2025--3-01", "x2025-03-01"}) {
    EXPECT_EQ(Cli(std::string("agenda ") + date).code, 2) << date;
  }
  EXPECT_EQ(Cli("agenda 2025-3-1").code, 0);
  EXPECT_EQ(Cli("agenda --days 0").code, 2);
}

// Dates run to 9999: a series imported across 2038 shows in the agenda of
// 2040, and the day index finds entries on both sides of it.
TEST_F(CliTest, AgendaOfA2040DayAndDatesTo9999) {
  std::ofstream(dir_ / "in.ics") << "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20370601T090000\n"
                                    "RRULE:FREQ=YEARLY;COUNT=5\nSUMMARY:Birthday\nEND:VEVENT\n"
                                    "BEGIN:VEVENT\nDTSTART:99991231T233000\nSUMMARY:Last\n"
                                    "END:VEVENT\nEND:VCALENDAR\n";
  const CliRun imported = Cli("import-ics in.ics");
  ASSERT_EQ(imported.code, 0) << imported.out;
  EXPECT_EQ(imported.out.find("outside"), std::string::npos) << imported.out;
  EXPECT_EQ(Cli("agenda 2040-06-01").out, "2040-06-01 09:00  Birthday\n");
  EXPECT_EQ(Cli("agenda 2037-06-01").out, "2037-06-01 09:00  Birthday\n");
  EXPECT_EQ(Cli("agenda 9999-12-31").out, "9999-12-31 23:30  Last\n");
  EXPECT_EQ(Cli("agenda 1900-01-01").code, 0);
  EXPECT_EQ(Cli("agenda 10000-01-01").code, 2);
}

TEST_F(CliTest, ImportThenAgendaSearchAndNotes) {
  const CliRun imported = Cli("import-ics '" + Data("google.ics") + "'");
  ASSERT_EQ(imported.code, 0) << imported.out;
  EXPECT_NE(imported.out.find("3 new entries, 2 copies from repeats."), std::string::npos)
      << imported.out;
  EXPECT_EQ(fs::file_size(dir_ / "Lumetta.bin"), 5u * 204u);
  EXPECT_EQ(Contents(dir_ / "notes" / "20250320.txt"), "Conference in Boston");

  EXPECT_EQ(Cli("agenda 2025-03-01 --days 20").out, kGoogleAgenda);
  EXPECT_EQ(
      Cli("agenda 2025-03-12").out,
      "2025-03-12 18:30  Caf\xC3\xA9 with Zo\xC3\xAB, then \xE2\x82\xAC talk \xE2\x80\x94 ??\n");
  EXPECT_EQ(Cli("agenda 2025-03-13").out, "");

  const CliRun found = Cli("search STAND-UP --ignore-case");
  EXPECT_EQ(found.code, 0);
  EXPECT_EQ(found.out,
            "March 31, 2025 at 3:00pm  Stand-up call\n"
            "March 18, 2025 at 4:00pm  Stand-up call (moved)\n"
            "March 10, 2025 at 2:00pm  Stand-up call\n"
            "March 3, 2025 at 3:00pm  Stand-up call\n");
  EXPECT_EQ(Cli("search STAND-UP").code, 1);
}

TEST_F(CliTest, ASecondImportKeepsTheWeekdayBackupAndAddsNothing) {
  ASSERT_EQ(Cli("import-ics '" + Data("google.ics") + "'").code, 0);
  const std::string first = Contents(dir_ / "Lumetta.bin");
  const CliRun again = Cli("import-ics '" + Data("google.ics") + "'");
  ASSERT_EQ(again.code, 0) << again.out;
  EXPECT_NE(again.out.find("0 new entries, 5 already in the book."), std::string::npos)
      << again.out;
  EXPECT_EQ(Contents(dir_ / "Lumetta.bin"), first);
  int backups = 0;
  for (const auto& f : fs::directory_iterator(dir_)) {
    const std::string name = f.path().filename().string();
    if (name.rfind("Lumetta.", 0) == 0 && name != "Lumetta.bin" && name.size() > 12) {
      ++backups;
      EXPECT_EQ(Contents(f.path()), first) << name;
    }
  }
  EXPECT_EQ(backups, 1);
}

TEST_F(CliTest, ExportedFileImportsIntoAnotherDataFileWithTheSameAgenda) {
  ASSERT_EQ(Cli("import-ics '" + Data("google.ics") + "'").code, 0);
  store::ToDoList work;
  work[0].text = "Pay rent";
  std::ofstream(dir_ / "wor.bin", std::ios::binary) << store::EncodeToDoList(work);
  const CliRun exported = Cli("export-ics out.ics");
  ASSERT_EQ(exported.code, 0) << exported.out;
  EXPECT_EQ(exported.out, "Exported 5 entries, 2 days of notes and 1 to-do line to \"out.ics\".\n");
  const std::string text = Cli("export-ics").out;
  EXPECT_EQ(text.substr(0, 15), "BEGIN:VCALENDAR");
  EXPECT_NE(text.find("SUMMARY:Pay rent\r\nCATEGORIES:Work\r\n"), std::string::npos);
  fs::create_directory(dir_ / "other");
  ASSERT_EQ(Cli("import-ics out.ics", "other/Copy.bin").code, 0);
  EXPECT_EQ(Cli("agenda 2025-03-01 --days 20", "other/Copy.bin").out, kGoogleAgenda);
  EXPECT_EQ(Contents(dir_ / "other" / "notes" / "20250321.txt"), "Conference in Boston");
}

TEST_F(CliTest, TheAgendaIsTheSameThroughItsIndexAndAfterAnotherWriter) {
  const std::string inOrder = test_common::ManyRecords(4800);  // 48 a day, 100 days of 2020
  std::ofstream(dir_ / "Lumetta.bin", std::ios::binary) << inOrder;
  const CliRun read = Cli("agenda 2020-02-10 --days 2");
  EXPECT_EQ(std::count(read.out.begin(), read.out.end(), '\n'), 96) << read.out;
  EXPECT_EQ(read.out.substr(0, 29), "2020-02-10 00:00  Entry 1920\n");
  EXPECT_TRUE(fs::exists(dir_ / "Lumetta.idx"));
  EXPECT_EQ(Cli("agenda 2020-02-10 --days 2").out, read.out);

  // Another writer puts the records in reverse order, to the same size and
  // with the same write time: the agenda still finds them.
  const auto written = fs::last_write_time(dir_ / "Lumetta.bin");
  std::string reversed;
  for (std::size_t at = inOrder.size(); at > 0; at -= store::kRecordSize) {
    reversed.append(inOrder, at - store::kRecordSize, store::kRecordSize);
  }
  std::ofstream(dir_ / "Lumetta.bin", std::ios::binary) << reversed;
  fs::last_write_time(dir_ / "Lumetta.bin", written);
  EXPECT_EQ(Cli("agenda 2020-02-10 --days 2").out, read.out);
}

TEST_F(CliTest, BadFilesChangeNothing) {
  ASSERT_EQ(Cli("import-ics '" + Data("thunderbird.ics") + "'").code, 0);
  const std::string before = Contents(dir_ / "Lumetta.bin");
  std::ofstream(dir_ / "bad.ics") << "BEGIN:VCALENDAR\nBEGIN:VEVENT\nSUMMARY:half\n";
  const CliRun bad = Cli("import-ics bad.ics");
  EXPECT_EQ(bad.code, 1);
  EXPECT_NE(bad.out.find("may have been cut off"), std::string::npos) << bad.out;
  const CliRun missing = Cli("import-ics nowhere.ics");
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.out.find("could not be read"), std::string::npos) << missing.out;
  EXPECT_EQ(Contents(dir_ / "Lumetta.bin"), before);
  EXPECT_EQ(Cli("search choir", "none.bin").code, 1);
}

TEST_F(CliTest, ADiaryWrittenUnderAnotherCodePageReadsAsItsOwnScript) {
  // "Встреча" and "Ёлка" as a Russian Windows stores them.
  std::ofstream(dir_ / "Lumetta.bin", std::ios::binary)
      << test_common::Record(2025, 3, 14, 10, 0, "\xC2\xF1\xF2\xF0\xE5\xF7\xE0")
      << test_common::Record(2025, 3, 15, 9, 0, "\xA8\xEB\xEA\xE0");
  const std::string meeting = "SUMMARY:Встреча\r\n";
  // Unknown: read as Western European.
  EXPECT_NE(Cli("export-ics").out.find("SUMMARY:\xC3\x82\xC3\xB1"), std::string::npos);

  EXPECT_NE(Cli("--codepage 1251 export-ics").out.find(meeting), std::string::npos);
  std::ofstream(dir_ / "codepage.txt") << "1251\r\n";
  const CliRun exported = Cli("export-ics");
  EXPECT_NE(exported.out.find(meeting), std::string::npos) << exported.out;
  EXPECT_NE(exported.out.find("SUMMARY:Ёлка\r\n"), std::string::npos) << exported.out;
  EXPECT_EQ(Cli("agenda 2025-03-14 --days 2").out,
            "2025-03-14 10:00  Встреча\n2025-03-15 09:00  Ёлка\n");
  EXPECT_EQ(Cli("search Ёл").out, "March 15, 2025 at 9:00am  Ёлка\n");

  // What comes in is stored as the program would store it; what 1251 has no
  // letter for is counted.
  std::ofstream(dir_ / "in.ics") << "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20250316T120000\n"
                                    "SUMMARY:Обед с Łukaszem\nEND:VEVENT\nEND:VCALENDAR\n";
  const CliRun imported = Cli("import-ics in.ics");
  EXPECT_NE(imported.out.find("1 character that this system's code page cannot hold"),
            std::string::npos)
      << imported.out;
  EXPECT_EQ(test_common::RecordTexts(Contents(dir_ / "Lumetta.bin")).back(),
            "\xCE\xE1\xE5\xE4 \xF1 ?ukaszem");

  EXPECT_EQ(Cli("--codepage 932 agenda").code, 2);
}

// The sync's commands say what they cannot do, without reaching any server
// and without writing anything.
TEST_F(CliTest, SyncCommandsRefuseWhatTheyCannotDo) {
  std::ofstream(dir_ / "pw") << "secret\n";
  const struct {
    const char* args;
    int code;
    const char* said;
  } cases[] = {
      {"sync", 2, "no account: add one"},
      {"sync --account home", 2, "no account"},
      {"account list", 0, ""},
      {"account remove home", 1, "no account named \"home\""},
      {"account add https://dav.example/", 2, "--user NAME"},
      {"account add http://dav.example/cal/ --user me --password-file pw", 1, "plain HTTP"},
      {"account add https://dav.example/ --user me --password-file nowhere", 1, "cannot be read"},
      {"account add ftp://dav.example/ --user me --password-file pw", 1, "not an http(s)"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.code, c.code) << c.args << ": " << run.out;
    EXPECT_NE(run.out.find(c.said), std::string::npos) << c.args << ": " << run.out;
  }
  EXPECT_FALSE(fs::exists(dir_ / "Lumetta.accounts"));
  EXPECT_FALSE(fs::exists(dir_ / "Lumetta.bin"));
}
