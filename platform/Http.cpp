#include "platform/Http.h"

#include <curl/curl.h>
#include <mutex>
#include <utility>

#ifndef VELMARIC_VERSION_HOST
#define VELMARIC_VERSION_HOST "localhost"
#endif

namespace {

struct TBody {
  std::string Text;
  std::size_t Max = 0;
  bool TooBig = false;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
  auto* body = static_cast<TBody*>(user);
  std::size_t n = size * count;
  if (body->Text.size() + n > body->Max) {
    body->TooBig = true;
    return 0; // stops the transfer
  }
  body->Text.append(data, n);
  return n;
}

std::string& HostOverride() {
  static std::string host;
  return host;
}

} // namespace

std::optional<std::string> HttpFetch(const THttpRequest& request) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  CURL* curl = curl_easy_init();
  if (!curl) return std::nullopt;
  TBody body;
  body.Max = request.MaxBody;
  curl_slist* headers = nullptr;
  for (const auto& [name, value] : request.Headers)
    headers = curl_slist_append(headers, (name + ": " + value).c_str());
  long timeout = request.TimeoutMs > 0 ? request.TimeoutMs : 1;

  curl_easy_setopt(curl, CURLOPT_URL, request.Url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_PROXY, ""); // never a proxy from the environment
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeout);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeout);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  // A declared length over the cap is refused before the body comes; the callback catches the rest.
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.MaxBody));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);

  CURLcode code = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);

  if (code != CURLE_OK || body.TooBig || status < 200 || status > 299) return std::nullopt;
  return std::move(body.Text);
}

std::string HttpGet(const THttpRequest& request) {
  return HttpFetch(request).value_or(std::string());
}

std::string VersionCheckHost() {
  return HostOverride().empty() ? std::string(VELMARIC_VERSION_HOST) : HostOverride();
}

void SetVersionCheckHost(const std::string& host) {
  HostOverride() = host;
}
