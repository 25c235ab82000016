#include "store/ICalendarLines.h"

#include <cctype>

namespace lumetta {

namespace {

constexpr std::size_t kMaxDepth = 8;
constexpr std::size_t kFoldOctets = 75;

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool NameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Splits one unfolded line; false when it is not a content line.
bool SplitLine(std::string_view line, IcsProperty& out) {
  std::size_t at = 0;
  while (at < line.size() && NameChar(line[at])) ++at;
  if (at == 0) return false;
  out.name = Upper(line.substr(0, at));
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
        while (at < line.size() && line[at] != ';' && line[at] != ':' && line[at] != ',') {
          value += line[at++];
        }
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

  bool Next(std::string& line) {
    line.clear();
    while (at_ < bytes_.size()) {
      std::string_view physical = Physical();
      line.append(physical);
      // A following line that starts with a space or a tab continues this one.
      while (at_ < bytes_.size() && (bytes_[at_] == ' ' || bytes_[at_] == '\t')) {
        ++at_;
        line.append(Physical());
      }
      if (!line.empty()) return true;
    }
    return false;
  }

 private:
  std::string_view Physical() {
    const std::size_t start = at_;
    while (at_ < bytes_.size() && bytes_[at_] != '\r' && bytes_[at_] != '\n') ++at_;
    const std::string_view text = bytes_.substr(start, at_ - start);
    if (at_ < bytes_.size() && bytes_[at_] == '\r') ++at_;
    if (at_ < bytes_.size() && bytes_[at_] == '\n') ++at_;
    return text;
  }

  std::string_view bytes_;
  std::size_t at_ = 0;
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
  std::string line;
  IcsProperty property;
  std::vector<IcsComponent*> open;
  IcsParseResult result;
  while (lines.Next(line)) {
    ++result.line;
    if (!SplitLine(line, property)) {
      result.syntax = open.empty() ? IcsSyntax::NotICalendar : IcsSyntax::BadLine;
      return result;
    }
    if (open.empty()) {
      if (property.name != "BEGIN" || !SameName(property.value, "VCALENDAR")) {
        result.syntax = IcsSyntax::NotICalendar;
        return result;
      }
      calendar.name = "VCALENDAR";
      open.push_back(&calendar);
    } else if (property.name == "BEGIN") {
      if (open.size() >= kMaxDepth || property.value.empty()) {
        result.syntax = property.value.empty() ? IcsSyntax::BadLine : IcsSyntax::TooDeep;
        return result;
      }
      IcsComponent& parent = *open.back();
      parent.children.emplace_back();
      parent.children.back().name = Upper(property.value);
      open.push_back(&parent.children.back());
    } else if (property.name == "END") {
      if (!SameName(property.value, open.back()->name)) {
        result.syntax = IcsSyntax::Mismatched;
        return result;
      }
      open.pop_back();
      if (open.empty()) return result;
    } else {
      open.back()->properties.push_back(std::move(property));
      property = IcsProperty();
    }
  }
  result.syntax = open.empty() ? IcsSyntax::NotICalendar : IcsSyntax::Truncated;
  return result;
}

std::string UnescapeText(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
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

}  // namespace lumetta
