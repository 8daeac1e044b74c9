#include "platform/Http.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <type_traits>
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

// libcurl, and the TLS, compression and name-lookup libraries it brings in, load with the first
// request rather than with the program: the check is off by default.
struct TCurlApi {
  decltype(&curl_global_init) GlobalInit = nullptr;
  decltype(&curl_easy_init) EasyInit = nullptr;
  decltype(&curl_easy_setopt) EasySetopt = nullptr;
  decltype(&curl_easy_perform) EasyPerform = nullptr;
  decltype(&curl_easy_getinfo) EasyGetinfo = nullptr;
  decltype(&curl_easy_cleanup) EasyCleanup = nullptr;
  decltype(&curl_slist_append) SlistAppend = nullptr;
  decltype(&curl_slist_free_all) SlistFreeAll = nullptr;
};

// nullptr when no libcurl can be loaded; every request then fails.
const TCurlApi* CurlApi() {
  static const TCurlApi* api = []() -> const TCurlApi* {
    void* library = nullptr;
    for (const char* name : {"libcurl.so.4", "libcurl-gnutls.so.4", "libcurl.so"})
      if ((library = dlopen(name, RTLD_NOW | RTLD_LOCAL)) != nullptr) break;
    if (!library) return nullptr;
    static TCurlApi loaded;
    bool complete = true;
    auto bind = [&](auto& function, const char* symbol) {
      function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, symbol));
      complete = complete && function != nullptr;
    };
    bind(loaded.GlobalInit, "curl_global_init");
    bind(loaded.EasyInit, "curl_easy_init");
    bind(loaded.EasySetopt, "curl_easy_setopt");
    bind(loaded.EasyPerform, "curl_easy_perform");
    bind(loaded.EasyGetinfo, "curl_easy_getinfo");
    bind(loaded.EasyCleanup, "curl_easy_cleanup");
    bind(loaded.SlistAppend, "curl_slist_append");
    bind(loaded.SlistFreeAll, "curl_slist_free_all");
    if (!complete || loaded.GlobalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    return &loaded;
  }();
  return api;
}

std::string& HostOverride() {
  static std::string host;
  return host;
}

} // namespace

std::optional<std::string> HttpFetch(const THttpRequest& request) {
  const TCurlApi* api = CurlApi();
  if (!api) return std::nullopt;
  CURL* curl = api->EasyInit();
  if (!curl) return std::nullopt;
  TBody body;
  body.Max = request.MaxBody;
  curl_slist* headers = nullptr;
  for (const auto& [name, value] : request.Headers)
    headers = api->SlistAppend(headers, (name + ": " + value).c_str());
  long timeout = request.TimeoutMs > 0 ? request.TimeoutMs : 1;

  api->EasySetopt(curl, CURLOPT_URL, request.Url.c_str());
  api->EasySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  api->EasySetopt(curl, CURLOPT_HTTPGET, 1L);
  api->EasySetopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  api->EasySetopt(curl, CURLOPT_HTTPHEADER, headers);
  api->EasySetopt(curl, CURLOPT_PROXY, ""); // never a proxy from the environment
  api->EasySetopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
  api->EasySetopt(curl, CURLOPT_TIMEOUT_MS, timeout);
  api->EasySetopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeout);
  api->EasySetopt(curl, CURLOPT_NOSIGNAL, 1L);
  // A declared length over the cap is refused before the body comes; the callback catches the rest.
  api->EasySetopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.MaxBody));
  api->EasySetopt(curl, CURLOPT_WRITEFUNCTION, Collect);
  api->EasySetopt(curl, CURLOPT_WRITEDATA, &body);

  CURLcode code = api->EasyPerform(curl);
  long status = 0;
  api->EasyGetinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  api->SlistFreeAll(headers);
  api->EasyCleanup(curl);

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
