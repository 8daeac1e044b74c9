#include "app/UVersionCheck.h"

#include "app/UComon.h"
#include "platform/Http.h"
#include "platform/SysUtils.h"

#include <cctype>

namespace {

long Timeout_Ms = Version_Check_Timeout_Ms;

std::string Site() {
  return "http://" + VersionCheckHost();
}

} // namespace

int Conv_Version(const std::string& Ver_str) {
  const std::size_t blank = Ver_str.find(' ');
  const std::string_view t =
      Trim(std::string_view(Ver_str).substr(blank == std::string::npos ? 0 : blank + 1));
  if (t.size() < 5) return -1;
  int value = 0;
  for (std::size_t i : {0u, 2u, 3u, 4u}) {
    if (!std::isdigit(static_cast<unsigned char>(t[i]))) return -1;
    value = value * 10 + (t[i] - '0');
  }
  return value;
}

TVersionAnswer Ask_Version() {
  THttpRequest request;
  request.Url = Version_Page_Url();
  request.Headers = {{"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
                     {"User-Agent", "Mozilla/3.0 (compatible; HTTP client)"}};
  request.TimeoutMs = Timeout_Ms;
  const std::optional<std::string> body = HttpFetch(request);
  if (!body) return TVersionAnswer::NoAnswer;
  const std::string reply(Trim(*body));
  if (reply.empty() || SameText(reply, "VER. 0.000")) return TVersionAnswer::NoNewer;
  const int local = Conv_Version(Build_SW_Version);
  const int remote = Conv_Version(reply);
  return local != -1 && remote != -1 && local < remote ? TVersionAnswer::Newer : TVersionAnswer::NoNewer;
}

bool Check_Version() {
  return Ask_Version() == TVersionAnswer::Newer;
}

std::string Version_Page_Url() {
  return Site() + "/home/download/GetversionSW.asp?nomesw=" + Update_SW_Name;
}

std::string Download_Page_Url() {
  return Site() + "/Home/download/download.asp" + Build_Download_Anchor;
}

std::string Home_Page_Url() {
  return Site() + "/HOME/default.asp?" + Build_Home_Query;
}

std::string Link_Markup(const std::string& url, const std::string& text) {
  return "<a href=\"" + url + "\">" + text + "</a>";
}

long Set_Version_Check_Timeout(long ms) {
  long previous = Timeout_Ms;
  Timeout_Ms = ms;
  return previous;
}
