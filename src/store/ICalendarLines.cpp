#include "store/ICalendarLines.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace store {

namespace {

constexpr std::size_t kMaxDepth = 8;
constexpr std::size_t kFoldOctets = 75;

// Names are ASCII: the C library's locale-aware toupper/isalnum would only
// cost time per character.
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

bool NameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

void AssignUpper(std::string& out, std::string_view s) {
  out.assign(s);
  for (char& c : out) c = AsciiUpper(c);
}

std::string Upper(std::string_view s) {
  std::string out;
  AssignUpper(out, s);
  return out;
}

bool TopLevel(std::string_view component) {
  for (const char* name : {"VEVENT", "VTODO", "VJOURNAL", "VFREEBUSY", "VTIMEZONE"}) {
    if (component == name) return true;
  }
  return false;
}

// Splits one unfolded line; false when it is not a content line.
bool SplitLine(std::string_view line, IcsProperty& out) {
  std::size_t at = 0;
  while (at < line.size() && NameChar(line[at])) ++at;
  if (at == 0) return false;
  AssignUpper(out.name, line.substr(0, at));
  out.params.clear();
  while (at < line.size() && line[at] == ';') {
    const std::size_t nameStart = ++at;
    while (at < line.size() && NameChar(line[at])) ++at;
    if (at == nameStart || at >= line.size() || line[at] != '=') return false;
    std::string paramName = Upper(line.substr(nameStart, at - nameStart));
    ++at;
    // A value, or a list of values, each possibly quoted; kept as written
    // without the quotes.
    std::string value;
    for (;;) {
      if (at < line.size() && line[at] == '"') {
        const std::size_t close = line.find('"', at + 1);
        if (close == std::string_view::npos) return false;
        value.append(line.substr(at + 1, close - at - 1));
        at = close + 1;
      } else {
        const std::size_t from = at;
        while (at < line.size() && line[at] != ';' && line[at] != ':' && line[at] != ',') ++at;
        value.append(line.substr(from, at - from));
      }
      if (at < line.size() && line[at] == ',') {
        value += line[at++];
        continue;
      }
      break;
    }
    out.params.emplace_back(std::move(paramName), std::move(value));
  }
  if (at >= line.size() || line[at] != ':') return false;
  out.value.assign(line.substr(at + 1));
  return true;
}

// Hands out the unfolded lines of the bytes one at a time.
class Unfolder {
 public:
  explicit Unfolder(std::string_view bytes) : bytes_(bytes) {
    if (bytes_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
  }

  // The next non-blank line: a view of the bytes themselves, or of
  // `joined` when it was folded.
  bool Next(std::string_view& line, std::string& joined) {
    while (at_ < bytes_.size()) {
      line = Physical();
      // A following line that starts with a space or a tab continues this one.
      if (Continues()) {
        joined.assign(line);
        while (Continues()) {
          ++at_;
          joined.append(Physical());
        }
        line = joined;
      }
      if (!line.empty()) return true;
    }
    return false;
  }

 private:
  std::string_view Physical() {
    const std::size_t start = at_;
    at_ = std::min(NextOf('\n', nextLf_), NextOf('\r', nextCr_));
    const std::string_view text = bytes_.substr(start, at_ - start);
    if (at_ < bytes_.size() && bytes_[at_] == '\r') ++at_;
    if (at_ < bytes_.size() && bytes_[at_] == '\n') ++at_;
    return text;
  }

  // The position of the next `c` at or after at_ (the end when there is
  // none), found with memchr, which scans far faster than a loop over the
  // bytes. The answer is kept until at_ passes it, so a file without any
  // CR (or LF) is scanned for one only once.
  std::size_t NextOf(char c, std::size_t& known) const {
    if (known == std::string_view::npos || known < at_) {
      const void* found = std::memchr(bytes_.data() + at_, c, bytes_.size() - at_);
      known = found != nullptr
                  ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes_.data())
                  : bytes_.size();
    }
    return known;
  }

  bool Continues() const {
    return at_ < bytes_.size() && (bytes_[at_] == ' ' || bytes_[at_] == '\t');
  }

  std::string_view bytes_;
  std::size_t at_ = 0;
  std::size_t nextLf_ = std::string_view::npos;
  std::size_t nextCr_ = std::string_view::npos;
};

}  // namespace

const std::string* IcsProperty::Param(std::string_view paramName) const {
  for (const auto& p : params) {
    if (SameName(p.first, paramName)) return &p.second;
  }
  return nullptr;
}

const IcsProperty* IcsComponent::Find(std::string_view propertyName) const {
  for (const IcsProperty& p : properties) {
    if (p.name == propertyName) return &p;
  }
  return nullptr;
}

IcsParseResult ParseICalendar(std::string_view bytes, IcsComponent& calendar) {
  calendar = IcsComponent();
  Unfolder lines(bytes);
  std::string_view line;
  std::string joined;
  IcsProperty property;
  std::vector<IcsComponent*> open;
  // The properties of each open component gather here and move into it,
  // sized once, when it ends: no vector grows element by element.
  std::vector<std::vector<IcsProperty>> gathered(kMaxDepth);
  IcsParseResult result;
  IcsDamage& damage = result.damage;
  std::size_t skipping = 0;  // depth inside a component nested too deeply
  auto broken = [&] {
    if (damage.brokenComponents++ == 0) damage.firstBrokenComponent = result.line;
  };
  // Leaves out the open components above the first `keep` (the innermost
  // is always its parent's last child), counted as one broken component.
  auto leaveOut = [&](std::size_t keep) {
    if (open.size() <= keep) return;
    broken();
    while (open.size() > keep) {
      gathered[open.size() - 1].clear();
      open.pop_back();
      open.back()->children.pop_back();
    }
  };
  auto close = [&] {
    std::vector<IcsProperty>& mine = gathered[open.size() - 1];
    open.back()->properties.assign(std::make_move_iterator(mine.begin()),
                                   std::make_move_iterator(mine.end()));
    mine.clear();
    open.pop_back();
  };
  while (lines.Next(line, joined)) {
    ++result.line;
    if (!SplitLine(line, property)) {
      if (open.empty()) {
        result.syntax = IcsSyntax::NotICalendar;
        return result;
      }
      // Mostly a continuation whose fold lost its leading space.
      if (damage.badLines++ == 0) damage.firstBadLine = result.line;
      continue;
    }
    const std::string_view name = property.name;
    if (open.empty()) {
      if (name != "BEGIN" || !SameName(property.value, "VCALENDAR")) {
        result.syntax = IcsSyntax::NotICalendar;
        return result;
      }
      calendar.name = "VCALENDAR";
      open.push_back(&calendar);
    } else if (skipping > 0) {
      if (name == "BEGIN") ++skipping;
      if (name == "END") --skipping;
    } else if (name == "BEGIN") {
      if (property.value.empty()) {
        if (damage.badLines++ == 0) damage.firstBadLine = result.line;
        continue;
      }
      std::string child = Upper(property.value);
      // A calendar's own components never nest: one beginning inside
      // another means that one lost its END.
      if (TopLevel(child)) leaveOut(1);
      if (open.size() >= kMaxDepth) {
        broken();
        skipping = 1;
        continue;
      }
      IcsComponent& parent = *open.back();
      parent.children.emplace_back();
      parent.children.back().name = std::move(child);
      open.push_back(&parent.children.back());
    } else if (name == "END") {
      auto match = std::find_if(open.rbegin(), open.rend(), [&](const IcsComponent* c) {
        return SameName(property.value, c->name);
      });
      if (match == open.rend()) {
        // A misspelt END closes the component it was meant for, which is
        // left out: it cannot be told from one whose END is missing.
        if (open.size() > 1)
          leaveOut(open.size() - 1);
        else if (damage.badLines++ == 0)
          damage.firstBadLine = result.line;
        continue;
      }
      // Components inside the one that ends lost their END.
      leaveOut(static_cast<std::size_t>(open.rend() - match));
      close();
      if (open.empty()) return result;
    } else {
      gathered[open.size() - 1].push_back(std::move(property));
      property = IcsProperty();
    }
  }
  if (open.empty()) {
    result.syntax = IcsSyntax::NotICalendar;
    return result;
  }
  // Cut off: what was complete stays.
  damage.truncated = true;
  leaveOut(1);
  close();
  return result;
}

std::string UnescapeText(std::string_view value) {
  std::size_t i = value.find('\\');
  std::string out(value.substr(0, i));
  if (i == std::string_view::npos) return out;
  out.reserve(value.size());
  for (; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      const char next = value[++i];
      out += (next == 'n' || next == 'N') ? '\n' : next;
    } else {
      out += value[i];
    }
  }
  return out;
}

std::vector<std::string> SplitEscaped(std::string_view value, char separator) {
  std::vector<std::string> parts;
  parts.reserve(1 + static_cast<std::size_t>(std::count(value.begin(), value.end(), separator)));
  std::size_t start = 0;
  for (std::size_t i = 0; i <= value.size(); ++i) {
    if (i == value.size() || value[i] == separator) {
      parts.push_back(UnescapeText(value.substr(start, i - start)));
      start = i + 1;
    } else if (value[i] == '\\') {
      ++i;
    }
  }
  return parts;
}

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case ';':
        out += "\\;";
        break;
      case ',':
        out += "\\,";
        break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void IcsWriter::Line(std::string_view nameAndParams, std::string_view value) {
  if (nameAndParams.size() + 1 + value.size() <= kFoldOctets) {  // most lines: no folding
    text_.append(nameAndParams);
    text_ += ':';
    text_.append(value);
    text_ += "\r\n";
    return;
  }
  std::string line;
  line.reserve(nameAndParams.size() + 1 + value.size());
  line.append(nameAndParams);
  line += ':';
  line.append(value);
  // The first line holds 75 octets, each continuation a space and 74 more.
  std::size_t at = 0;
  std::size_t room = kFoldOctets;
  while (line.size() - at > room) {
    std::size_t cut = at + room;
    // Never inside a UTF-8 character: back up over continuation bytes.
    while (cut > at + 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    text_.append(line, at, cut - at);
    text_ += "\r\n ";
    at = cut;
    room = kFoldOctets - 1;
  }
  text_.append(line, at, std::string::npos);
  text_ += "\r\n";
}

std::string CountOf(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace store
