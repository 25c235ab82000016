// The answers of a WebDAV/CalDAV server (RFC 4918 multistatus, RFC 4791,
// RFC 6578) read into plain values. The reader knows the small part of XML
// these answers use: elements with namespace prefixes, attributes, text,
// character and the five predefined entity references, CDATA, comments and
// processing instructions. A document type (and so any entity of its own)
// is refused, as are answers nested deeper or larger than any real one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace store {

// Answers larger than this are refused before they are read.
constexpr std::size_t kMaxDavAnswerBytes = 256u << 20;

// One element: its name as "namespace-uri local-name" ("DAV: href"), its
// text (the concatenated character data directly inside it), its
// attributes other than namespace declarations (by their written names)
// and its children.
struct XmlElement {
  std::string name;
  std::string text;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::vector<XmlElement> children;

  // The first child of that name, or nullptr.
  const XmlElement* Child(std::string_view fullName) const;
};

// Reads a whole document into its root element; on failure says why.
bool ParseXml(std::string_view bytes, XmlElement& root, std::string& error);

// One <response> of a multistatus.
struct DavResource {
  std::string href;      // as written by the server (still percent-encoded)
  int status = 0;        // the response's own status (e.g. 404 for a removed member), 0: none
  bool hasEtag = false;  // the server named an ETag
  std::string etag;      // with its quotes, as the server gave it
  bool hasCalendarData = false;
  std::string calendarData;
  bool collection = false;    // resourcetype holds <collection/>
  bool calendar = false;      // resourcetype holds <C:calendar/>
  bool eventsAllowed = true;  // supported-calendar-component-set lets VEVENTs in (or is absent)
  std::string displayName;
  std::string principalHref;     // current-user-principal
  std::string calendarHomeHref;  // calendar-home-set
};

struct DavMultistatus {
  std::vector<DavResource> resources;
  std::string syncToken;  // RFC 6578's new token, when the answer carries one
};

// Reads a 207 answer's body. False, with the reason, for anything that is
// not a well-formed multistatus.
bool ParseMultistatus(std::string_view bytes, DavMultistatus& out, std::string& error);

// An error answer's body names a precondition, e.g. RFC 6578's
// "DAV: valid-sync-token": true when the body holds an element of that name.
bool DavErrorNames(std::string_view bytes, std::string_view fullName);

}  // namespace store
