#pragma once

#include <string>

namespace quennet {

// Why a browser will not connect to `port`, as one clause such as "port 6000 (x11) is
// a bad port, one that browsers refuse to connect to"; "" for a port they allow. The
// bad ports are those of the Fetch standard, which browsers block whatever the page.
std::string BadPortReason(long port);

// The host as a browser's URL holds it: a host name, a dotted IPv4 address, or an
// IPv6 address in brackets. Anything else (a zone, a port, a path, other
// characters) throws UsageError: the host goes into the page's markup and script
// unescaped, so only these characters may pass.
std::string BrowserUrlHost(const std::string& host);

}  // namespace quennet
