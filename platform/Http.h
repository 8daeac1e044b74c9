// A small blocking HTTP client: one GET, HTTP/1.0, a 10 s time-out and a 64 KiB body cap.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct THttpRequest {
  std::string Url;
  std::vector<std::pair<std::string, std::string>> Headers; // sent in this order
  long TimeoutMs = 10000;
  std::size_t MaxBody = 64 * 1024;
};

// Body of a 2xx reply; any failure (no connection, time-out, other status, body over the cap)
// gives nothing, so an empty reply can be told from none.
std::optional<std::string> HttpFetch(const THttpRequest& request);
// The same, with a failure giving the empty text.
std::string HttpGet(const THttpRequest& request);

// Host of the version check, fixed when the program is built ("name" or "name:port").
std::string VersionCheckHost();
// Points the version check elsewhere (tests use a local server); "" restores the built-in host.
void SetVersionCheckHost(const std::string& host);
