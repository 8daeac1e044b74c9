#include "platform/Http.h"

#include "support/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>

namespace {

THttpRequest VersionRequest(const TLocalHttpServer& server) {
  THttpRequest request;
  request.Url = server.Url("/home/download/GetversionSW.asp?nomesw=SWZ9K59");
  request.Headers = {{"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
                     {"User-Agent", "Mozilla/3.0 (compatible; HTTP client)"}};
  return request;
}

} // namespace

TEST(HttpGet, SendsOneHttp10RequestWithTheHeadersInOrderAndReturnsTheBody) {
  TLocalHttpServer server;
  server.Reply(200, "VER. 1.234");
  EXPECT_EQ(HttpGet(VersionRequest(server)), "VER. 1.234");

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].RequestLine, "GET /home/download/GetversionSW.asp?nomesw=SWZ9K59 HTTP/1.0");
  std::vector<std::pair<std::string, std::string>> expected = {
      {"Host", server.Host()},
      {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
      {"User-Agent", "Mozilla/3.0 (compatible; HTTP client)"}};
  EXPECT_EQ(requests[0].Headers, expected) << requests[0].Raw;
}

TEST(HttpGet, EveryFailureGivesAnEmptyText) {
  struct TCase {
    const char* What;
    int Status;
    std::string Body;
  };
  const TCase cases[] = {
      {"not found", 404, "<html>missing</html>"},
      {"server error", 500, "VER. 9.999"},
      {"redirect", 301, "VER. 9.999"},
  };
  for (const auto& c : cases) {
    TLocalHttpServer server;
    server.Reply(c.Status, c.Body);
    EXPECT_EQ(HttpGet(VersionRequest(server)), "") << c.What;
    EXPECT_EQ(server.RequestCount(), 1u) << c.What;
  }
}

TEST(HttpGet, RefusedConnectionAndBadAddressesGiveAnEmptyText) {
  THttpRequest request;
  request.Url = "http://127.0.0.1:" + std::to_string(TLocalHttpServer::ClosedPort()) + "/x";
  EXPECT_EQ(HttpGet(request), "");
  request.Url = "not a url";
  EXPECT_EQ(HttpGet(request), "");
  request.Url = "file:///etc/hostname"; // only web addresses are fetched
  EXPECT_EQ(HttpGet(request), "");
}

TEST(HttpGet, BodyOverTheCapGivesAnEmptyText) {
  TLocalHttpServer server;
  server.ReplyHuge(64 * 1024 + 1);
  EXPECT_EQ(HttpGet(VersionRequest(server)), "");
  server.Reply(200, std::string(64 * 1024, 'v')); // exactly at the cap is fine
  EXPECT_EQ(HttpGet(VersionRequest(server)).size(), 64u * 1024u);
  server.ReplyHuge(50u * 1024u * 1024u); // a body that would not end soon
  EXPECT_EQ(HttpGet(VersionRequest(server)), "");
}

TEST(HttpGet, ServerThatNeverAnswersTimesOut) {
  TLocalHttpServer server;
  server.Hang();
  THttpRequest request = VersionRequest(server);
  request.TimeoutMs = 300;
  EXPECT_EQ(HttpGet(request), "");
  EXPECT_EQ(server.RequestCount(), 1u);
}

TEST(HttpGet, NoProxyFromTheEnvironment) {
  TLocalHttpServer server;
  server.Reply(200, "direct");
  ::setenv("http_proxy", "http://127.0.0.1:1", 1);
  std::string body = HttpGet(VersionRequest(server));
  ::unsetenv("http_proxy");
  EXPECT_EQ(body, "direct");
}

// The HTTP libraries stay out of a start that makes no request; a fresh process shows it.
TEST(HttpGet, LibcurlLoadsWithTheFirstRequestNotWithTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto loaded = [] {
    for (const char* name : {"libcurl.so.4", "libcurl-gnutls.so.4", "libcurl.so"})
      if (dlopen(name, RTLD_LAZY | RTLD_NOLOAD)) return true;
    return false;
  };
  EXPECT_EXIT(
      {
        const bool before = loaded();
        THttpRequest request;
        request.Url = "http://127.0.0.1:" + std::to_string(TLocalHttpServer::ClosedPort()) + "/";
        const bool failed = !HttpFetch(request).has_value();
        std::exit(!before && failed && loaded() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(VersionCheckHost, BuiltInUnlessATestPointsItElsewhere) {
  std::string builtIn = VersionCheckHost();
  EXPECT_FALSE(builtIn.empty());
  SetVersionCheckHost("127.0.0.1:8080");
  EXPECT_EQ(VersionCheckHost(), "127.0.0.1:8080");
  SetVersionCheckHost("");
  EXPECT_EQ(VersionCheckHost(), builtIn);
}
