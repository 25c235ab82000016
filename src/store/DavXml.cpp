#include "store/DavXml.h"

#include <cstdint>
#include <map>
#include <utility>

namespace store {

namespace {

constexpr int kMaxDepth = 64;
constexpr const char* kDav = "DAV: ";
constexpr const char* kCalDav = "urn:ietf:params:xml:ns:caldav ";

bool NameChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         c == '_' || c == '-' || c == '.' || c == ':';
}

bool Space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

class Reader {
 public:
  explicit Reader(std::string_view s) : s_(s) {}

  bool Document(XmlElement& root) {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    if (!Misc()) return false;
    if (pos_ >= s_.size() || s_[pos_] != '<') return Fail("no root element");
    std::vector<std::map<std::string, std::string>> scopes;
    if (!Element(root, scopes, 0)) return false;
    if (!Misc()) return false;
    if (pos_ != s_.size()) return Fail("text after the root element");
    return true;
  }

  std::string error;

 private:
  bool Fail(const std::string& why) {
    if (error.empty()) error = why + " (at byte " + std::to_string(pos_) + ")";
    return false;
  }

  bool Starts(std::string_view what) const { return s_.substr(pos_, what.size()) == what; }

  bool SkipPast(std::string_view end) {
    const std::size_t at = s_.find(end, pos_);
    if (at == std::string_view::npos) return Fail("unterminated markup");
    pos_ = at + end.size();
    return true;
  }

  // Spaces, comments and processing instructions between elements.
  bool Misc() {
    for (;;) {
      while (pos_ < s_.size() && Space(s_[pos_])) ++pos_;
      if (Starts("<?")) {
        if (!SkipPast("?>")) return false;
      } else if (Starts("<!--")) {
        if (!SkipPast("-->")) return false;
      } else if (Starts("<!")) {
        return Fail("a document type is not accepted");
      } else {
        return true;
      }
    }
  }

  bool Name(std::string& out) {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && NameChar(s_[pos_])) ++pos_;
    if (pos_ == start) return Fail("a name was expected");
    out.assign(s_.substr(start, pos_ - start));
    return true;
  }

  // Character data up to `stop`, with references undone.
  bool Chars(char stop, std::string& out) {
    while (pos_ < s_.size() && s_[pos_] != stop && s_[pos_] != '<') {
      const char c = s_[pos_];
      if (c != '&') {
        out += c;
        ++pos_;
        continue;
      }
      const std::size_t semi = s_.find(';', pos_);
      if (semi == std::string_view::npos || semi - pos_ > 12) return Fail("a bad reference");
      const std::string_view ref = s_.substr(pos_ + 1, semi - pos_ - 1);
      if (ref == "lt") {
        out += '<';
      } else if (ref == "gt") {
        out += '>';
      } else if (ref == "amp") {
        out += '&';
      } else if (ref == "quot") {
        out += '"';
      } else if (ref == "apos") {
        out += '\'';
      } else if (ref.size() >= 2 && ref[0] == '#') {
        const bool hex = ref[1] == 'x';
        std::uint32_t cp = 0;
        const std::string_view digits = ref.substr(hex ? 2 : 1);
        if (digits.empty()) return Fail("a bad character reference");
        for (const char d : digits) {
          int v = -1;
          if (d >= '0' && d <= '9') v = d - '0';
          if (hex && d >= 'a' && d <= 'f') v = d - 'a' + 10;
          if (hex && d >= 'A' && d <= 'F') v = d - 'A' + 10;
          if (v < 0) return Fail("a bad character reference");
          cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
          if (cp > 0x10FFFF) return Fail("a bad character reference");
        }
        if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return Fail("a bad character reference");
        AppendUtf8(out, cp);
      } else {
        return Fail("an unknown entity");
      }
      pos_ = semi + 1;
    }
    return true;
  }

  static bool Resolve(const std::vector<std::map<std::string, std::string>>& scopes,
                      const std::string& prefix, std::string& uri) {
    for (auto it = scopes.rbegin(); it != scopes.rend(); ++it) {
      const auto found = it->find(prefix);
      if (found != it->end()) {
        uri = found->second;
        return true;
      }
    }
    if (prefix.empty()) {
      uri.clear();
      return true;
    }
    return prefix == "xml" ? (uri = "http://www.w3.org/XML/1998/namespace", true) : false;
  }

  bool Element(XmlElement& out, std::vector<std::map<std::string, std::string>>& scopes,
               int depth) {
    if (depth > kMaxDepth) return Fail("elements nested too deeply");
    ++pos_;  // '<'
    std::string qname;
    if (!Name(qname)) return false;
    std::map<std::string, std::string> scope;
    for (;;) {
      const std::size_t before = pos_;
      while (pos_ < s_.size() && Space(s_[pos_])) ++pos_;
      if (pos_ >= s_.size()) return Fail("the document ends inside a tag");
      if (s_[pos_] == '>' || Starts("/>")) break;
      if (pos_ == before) return Fail("a space was expected");
      std::string attr;
      if (!Name(attr)) return false;
      while (pos_ < s_.size() && Space(s_[pos_])) ++pos_;
      if (pos_ >= s_.size() || s_[pos_] != '=') return Fail("'=' was expected");
      ++pos_;
      while (pos_ < s_.size() && Space(s_[pos_])) ++pos_;
      if (pos_ >= s_.size() || (s_[pos_] != '"' && s_[pos_] != '\'')) {
        return Fail("a quoted value was expected");
      }
      const char quote = s_[pos_++];
      std::string value;
      if (!Chars(quote, value)) return false;
      if (pos_ >= s_.size() || s_[pos_] != quote) return Fail("an unterminated value");
      ++pos_;
      if (attr == "xmlns") {
        scope[""] = value;
      } else if (attr.compare(0, 6, "xmlns:") == 0) {
        scope[attr.substr(6)] = value;
      } else {
        out.attributes.emplace_back(std::move(attr), std::move(value));
      }
    }
    scopes.push_back(std::move(scope));
    const std::size_t colon = qname.find(':');
    const std::string prefix = colon == std::string::npos ? "" : qname.substr(0, colon);
    std::string uri;
    if (!Resolve(scopes, prefix, uri)) return Fail("an undeclared prefix \"" + prefix + "\"");
    out.name = uri + " " + (colon == std::string::npos ? qname : qname.substr(colon + 1));
    if (Starts("/>")) {
      pos_ += 2;
      scopes.pop_back();
      return true;
    }
    ++pos_;  // '>'
    for (;;) {
      if (!Chars('<', out.text)) return false;
      if (pos_ >= s_.size()) return Fail("the document ends inside <" + qname + ">");
      if (Starts("</")) {
        pos_ += 2;
        std::string closing;
        if (!Name(closing)) return false;
        if (closing != qname) return Fail("</" + closing + "> closes <" + qname + ">");
        while (pos_ < s_.size() && Space(s_[pos_])) ++pos_;
        if (pos_ >= s_.size() || s_[pos_] != '>') return Fail("'>' was expected");
        ++pos_;
        scopes.pop_back();
        return true;
      }
      if (Starts("<![CDATA[")) {
        const std::size_t end = s_.find("]]>", pos_ + 9);
        if (end == std::string_view::npos) return Fail("unterminated CDATA");
        out.text.append(s_.substr(pos_ + 9, end - pos_ - 9));
        pos_ = end + 3;
      } else if (Starts("<!--")) {
        if (!SkipPast("-->")) return false;
      } else if (Starts("<?")) {
        if (!SkipPast("?>")) return false;
      } else if (Starts("<!")) {
        return Fail("a declaration inside an element");
      } else {
        out.children.emplace_back();
        if (!Element(out.children.back(), scopes, depth + 1)) return false;
      }
    }
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

std::string Trim(const std::string& s) {
  std::size_t a = 0, b = s.size();
  while (a < b && Space(s[a])) ++a;
  while (b > a && Space(s[b - 1])) --b;
  return s.substr(a, b - a);
}

// "HTTP/1.1 404 Not Found" -> 404; 0 when unreadable.
int StatusOf(const std::string& line) {
  const std::string t = Trim(line);
  const std::size_t sp = t.find(' ');
  if (sp == std::string::npos || sp + 4 > t.size()) return 0;
  int code = 0;
  for (std::size_t i = sp + 1; i < sp + 4; ++i) {
    if (t[i] < '0' || t[i] > '9') return 0;
    code = code * 10 + (t[i] - '0');
  }
  return code;
}

std::string HrefIn(const XmlElement* e) {
  if (e == nullptr) return std::string();
  const XmlElement* href = e->Child(std::string(kDav) + "href");
  return href == nullptr ? std::string() : Trim(href->text);
}

void ReadProps(const XmlElement& prop, DavResource& r) {
  for (const XmlElement& p : prop.children) {
    if (p.name == std::string(kDav) + "getetag") {
      r.etag = Trim(p.text);
      r.hasEtag = !r.etag.empty();
    } else if (p.name == std::string(kCalDav) + "calendar-data") {
      r.calendarData = p.text;
      r.hasCalendarData = true;
    } else if (p.name == std::string(kDav) + "resourcetype") {
      r.collection = p.Child(std::string(kDav) + "collection") != nullptr;
      r.calendar = p.Child(std::string(kCalDav) + "calendar") != nullptr;
    } else if (p.name == std::string(kDav) + "displayname") {
      r.displayName = Trim(p.text);
    } else if (p.name == std::string(kDav) + "current-user-principal") {
      r.principalHref = HrefIn(&p);
    } else if (p.name == std::string(kCalDav) + "calendar-home-set") {
      r.calendarHomeHref = HrefIn(&p);
    } else if (p.name == std::string(kCalDav) + "supported-calendar-component-set") {
      r.eventsAllowed = false;
      for (const XmlElement& comp : p.children) {
        for (const auto& [attr, value] : comp.attributes) {
          if (attr == "name" && value == "VEVENT") r.eventsAllowed = true;
        }
      }
    }
  }
}

bool Contains(const XmlElement& e, std::string_view fullName) {
  if (e.name == fullName) return true;
  for (const XmlElement& c : e.children) {
    if (Contains(c, fullName)) return true;
  }
  return false;
}

}  // namespace

const XmlElement* XmlElement::Child(std::string_view fullName) const {
  for (const XmlElement& c : children) {
    if (c.name == fullName) return &c;
  }
  return nullptr;
}

bool ParseXml(std::string_view bytes, XmlElement& root, std::string& error) {
  if (bytes.size() > kMaxDavAnswerBytes) {
    error = "the answer is too large";
    return false;
  }
  Reader reader(bytes);
  root = XmlElement();
  if (reader.Document(root)) return true;
  error = reader.error;
  return false;
}

bool ParseMultistatus(std::string_view bytes, DavMultistatus& out, std::string& error) {
  out = DavMultistatus();
  XmlElement root;
  if (!ParseXml(bytes, root, error)) return false;
  if (root.name != std::string(kDav) + "multistatus") {
    error = "the answer is not a multistatus";
    return false;
  }
  for (const XmlElement& child : root.children) {
    if (child.name == std::string(kDav) + "sync-token") {
      out.syncToken = Trim(child.text);
      continue;
    }
    if (child.name != std::string(kDav) + "response") continue;
    DavResource r;
    r.href = HrefIn(&child);
    if (r.href.empty()) {
      error = "a response without an href";
      return false;
    }
    if (const XmlElement* status = child.Child(std::string(kDav) + "status")) {
      r.status = StatusOf(status->text);
    }
    for (const XmlElement& propstat : child.children) {
      if (propstat.name != std::string(kDav) + "propstat") continue;
      const XmlElement* status = propstat.Child(std::string(kDav) + "status");
      const int code = status == nullptr ? 200 : StatusOf(status->text);
      const XmlElement* prop = propstat.Child(std::string(kDav) + "prop");
      if (code >= 200 && code < 300 && prop != nullptr) ReadProps(*prop, r);
    }
    out.resources.push_back(std::move(r));
  }
  return true;
}

bool DavErrorNames(std::string_view bytes, std::string_view fullName) {
  XmlElement root;
  std::string error;
  return ParseXml(bytes, root, error) && Contains(root, fullName);
}

}  // namespace store
