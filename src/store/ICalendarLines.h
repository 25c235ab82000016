// iCalendar (RFC 5545) at the level of content lines: unfolding and
// splitting lines into components and properties when reading; escaping,
// UTF-8 and folding at 75 octets when writing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace store {

// One content line: NAME;PARAM=value:VALUE. Names are upper-cased; the
// value is kept as written (still escaped).
struct IcsProperty {
  std::string name;
  std::vector<std::pair<std::string, std::string>> params;
  std::string value;

  bool Is(std::string_view upperName) const { return name == upperName; }
  // The parameter's value (quotes removed), or nullptr.
  const std::string* Param(std::string_view paramName) const;
};

// BEGIN:NAME ... END:NAME with its properties and nested components.
struct IcsComponent {
  std::string name;
  std::vector<IcsProperty> properties;
  std::vector<IcsComponent> children;

  bool Is(std::string_view upperName) const { return name == upperName; }
  // The first property of that name, or nullptr.
  const IcsProperty* Find(std::string_view propertyName) const;
};

enum class IcsSyntax {
  Ok,            // a calendar was read, perhaps with damage passed over (below)
  NotICalendar,  // does not begin with BEGIN:VCALENDAR
};

// Damage that reading passed over. Each kind names the (unfolded) line
// where it was first met, 0 for none.
struct IcsDamage {
  int badLines = 0;          // lines that are not NAME[;params]:value: skipped
  int brokenComponents = 0;  // components without their END (or with a wrong one),
                             // or nested deeper than anything real: left out whole
  bool truncated = false;    // the file ended inside the calendar
  std::size_t firstBadLine = 0;
  std::size_t firstBrokenComponent = 0;

  bool Any() const { return badLines > 0 || brokenComponents > 0 || truncated; }
};

struct IcsParseResult {
  IcsSyntax syntax = IcsSyntax::Ok;
  std::size_t line = 0;  // the (unfolded) line where reading stopped
  IcsDamage damage;
};

// Reads the first VCALENDAR of the bytes: lines ended by CRLF, LF or CR,
// folded lines (a line break followed by a space or a tab) joined, a UTF-8
// byte-order mark skipped, blank lines ignored. Anything after the
// calendar's END is ignored. Real exports have damage in them (a line fold
// lost, an END misspelt, the end cut off): a line that is not a content
// line is skipped, and a component that is not properly closed is left out
// with everything inside it, so that the rest of the file still reads.
IcsParseResult ParseICalendar(std::string_view bytes, IcsComponent& calendar);

// TEXT values: "\\", "\;", "\," and "\n" (or "\N") undone.
std::string UnescapeText(std::string_view value);
// A list value split at the separators that are not escaped; each part unescaped.
std::vector<std::string> SplitEscaped(std::string_view value, char separator);
// TEXT escaping: backslash, semicolon, comma and line breaks (CRLF, LF).
std::string EscapeText(std::string_view text);

// "1 event", "3 events": a count for the messages of the import and export.
std::string CountOf(int n, const char* one, const char* many);

// Builds an iCalendar text: every line ends in CRLF and is folded so that
// no line is longer than 75 octets, never inside a UTF-8 character.
class IcsWriter {
 public:
  // NAME[;params]:value; the value must already be escaped and UTF-8.
  void Line(std::string_view nameAndParams, std::string_view value);
  const std::string& Text() const { return text_; }
  std::string& Text() { return text_; }

 private:
  std::string text_;
};

}  // namespace store
