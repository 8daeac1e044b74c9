// A tiny HTTP server on 127.0.0.1 for tests: it records each request exactly as received and
// answers as told (a status with a body, an endless body, or no answer at all).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TRecordedRequest {
  std::string RequestLine;                                  // "GET /path?query HTTP/1.0"
  std::vector<std::pair<std::string, std::string>> Headers; // in the order received
  std::string Raw;                                          // everything up to the blank line
};

class TLocalHttpServer {
public:
  // Listens on a free port of 127.0.0.1 and serves in a thread of its own; answers
  // "200 OK" with an empty body until told otherwise.
  TLocalHttpServer();
  ~TLocalHttpServer(); // stops serving, also a hanging connection
  TLocalHttpServer(const TLocalHttpServer&) = delete;
  TLocalHttpServer& operator=(const TLocalHttpServer&) = delete;

  std::string Host() const;                             // "127.0.0.1:<port>"
  std::string Url(std::string_view pathAndQuery) const; // "http://127.0.0.1:<port>" + path

  // How the following requests are answered.
  void Reply(int status, std::string body);
  void ReplyHuge(std::size_t bytes); // 200 with a body of this many bytes
  void Hang();                       // reads the request, then never answers

  std::vector<TRecordedRequest> Requests() const;
  std::size_t RequestCount() const;

  // A port of 127.0.0.1 where nothing listens (connections are refused).
  static int ClosedPort();

private:
  struct TImpl;
  std::unique_ptr<TImpl> Impl;
};
