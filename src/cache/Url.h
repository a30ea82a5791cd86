// URL splitting, canonical item URLs, domains and link resolution.
//
// Two families of the same split differ in the prefixes they accept: the key form (IE cache
// keys and URLs read back from archive.dat) and the link form (Navigator cache keys and links
// inside pages). These are plain string rules: no percent-decoding, no user-info, the query is
// part of the path.
#pragma once

#include <string>
#include <string_view>

namespace pagehold {

enum class UrlForm { Key, Link };

// Host of a key or stored URL, lower-cased, or "NONE". The key becomes the rest (from the
// first ":" or "/" on) that PortFromRest and PathFromRest consume.
std::string HostFromKey(std::string& key);

// Host of a Url stored in an archive record, lower-cased, or "NONE". A Url in the canonical item
// form ("http://" host ":" port path) gives its host as written, up to the port's colon: the
// link form keeps backslashes in a host, which the key form would cut at, and the record must
// find the domain folder its file was archived in. Any other text is split as a key.
std::string HostOfStoredUrl(std::string_view url);

// Host of a Navigator cache key or a link, lower-cased, or "NONE" (secure URLs are refused).
// The link is first cut to 255 characters.
std::string HostFromLink(std::string& link);

// Port from a rest that starts with ":"; 80 otherwise or when the number is not valid. The
// rest becomes the text from the first "/" on (or empty).
int PortFromRest(std::string& rest);

// The path: the trimmed rest with backslashes turned into slashes, "/" when empty.
std::string PathFromRest(std::string_view rest);

// "http://" + host + ":" + decimal port + path, the port written as given (also when it is 80).
// The Navigator reader writes its ports as unsigned 16-bit numbers and passes
// static_cast<std::uint16_t>(port); ResolveLink does the same itself. The IE reader passes the
// port as PortFromRest gave it.
std::string CanonicalItemUrl(std::string_view host, int port, std::string_view path);

// The short form "http://" + host + path when the port is 80 and the host is not "NONE";
// otherwise the input unchanged.
std::string NormalizeUrl(std::string_view url, UrlForm form);

// The host reduced to the 79 file-name-safe domain characters (at most 255 of them). A result
// made only of dots ("." or "..") would name the archive folder or its parent, so such a host
// gives "NONE" like a key that names no resource. An empty result (a host made only of dropped
// characters) stays empty.
std::string DomainFromHost(std::string_view host);

// The text after the last "/" (all of it when there is none).
std::string UrlFileName(std::string_view url);

// The URL without "http://", up to and including its last "/".
std::string UrlBase(std::string_view url);

// A link as written in a page, resolved against the base of the page (from UrlBase): a
// canonical item URL, a foreign link unchanged, or empty (in-page jumps, news:, mailto:).
std::string ResolveLink(std::string_view link, std::string_view base);

// An archived file's name as it is written into a relative link. "%", "#" and "?" are
// percent-encoded: left as they are, a browser would read the name's tail as an escape, a
// fragment or a query, and the link would miss a file whose name holds them.
std::string FileNameInLink(std::string_view fileName);

}  // namespace pagehold
