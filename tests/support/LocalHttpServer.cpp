#include "support/LocalHttpServer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

enum class TMode { Reply, Huge, Hang };

int ListeningSocket(int& port) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("test server: no socket");
  int yes = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0) {
    ::close(fd);
    throw std::runtime_error("test server: cannot listen");
  }
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return fd;
}

const char* Reason(int status) {
  switch (status) {
  case 200:
    return "OK";
  case 301:
    return "Moved Permanently";
  case 404:
    return "Not Found";
  case 500:
    return "Internal Server Error";
  default:
    return "Status";
  }
}

bool SendAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

TRecordedRequest Parse(const std::string& raw) {
  TRecordedRequest request;
  request.Raw = raw;
  std::size_t lineEnd = raw.find("\r\n");
  request.RequestLine = raw.substr(0, lineEnd);
  std::size_t pos = lineEnd == std::string::npos ? raw.size() : lineEnd + 2;
  while (pos < raw.size()) {
    std::size_t end = raw.find("\r\n", pos);
    if (end == std::string::npos) end = raw.size();
    std::string line = raw.substr(pos, end - pos);
    pos = end + 2;
    if (line.empty()) break;
    std::size_t colon = line.find(':');
    std::string name = line.substr(0, colon);
    std::string value = colon == std::string::npos ? std::string() : line.substr(colon + 1);
    std::size_t first = value.find_first_not_of(' ');
    value = first == std::string::npos ? std::string() : value.substr(first);
    request.Headers.emplace_back(name, value);
  }
  return request;
}

} // namespace

struct TLocalHttpServer::TImpl {
  int Listener = -1;
  int Port = 0;
  int Wake[2] = {-1, -1};
  std::thread Worker;

  mutable std::mutex Lock;
  TMode Mode = TMode::Reply;
  int Status = 200;
  std::string Body;
  std::size_t HugeBytes = 0;
  std::vector<TRecordedRequest> Requests;

  // Waits for the socket or for the stop signal; false when stopping.
  bool WaitFor(int fd, short events, int timeoutMs = -1) {
    pollfd fds[2] = {{fd, events, 0}, {Wake[0], POLLIN, 0}};
    for (;;) {
      int r = ::poll(fds, 2, timeoutMs);
      if (r < 0 && errno == EINTR) continue;
      return r > 0 && (fds[1].revents & POLLIN) == 0;
    }
  }

  void Serve(int client) {
    std::string raw;
    char buffer[4096];
    while (raw.find("\r\n\r\n") == std::string::npos && raw.size() < 65536) {
      if (!WaitFor(client, POLLIN, 5000)) return;
      ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) return;
      raw.append(buffer, static_cast<std::size_t>(n));
    }
    raw = raw.substr(0, raw.find("\r\n\r\n") + 2);
    TMode mode;
    int status;
    std::string body;
    std::size_t huge;
    {
      std::lock_guard guard(Lock);
      Requests.push_back(Parse(raw));
      mode = Mode;
      status = Status;
      body = Body;
      huge = HugeBytes;
    }
    if (mode == TMode::Hang) {
      WaitFor(Wake[0], POLLIN); // until the server stops
      return;
    }
    if (mode == TMode::Reply) {
      std::string reply = "HTTP/1.0 " + std::to_string(status) + " " + Reason(status) +
                          "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
                          "\r\n\r\n" + body;
      SendAll(client, reply);
      return;
    }
    std::string header =
        "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(huge) + "\r\n\r\n";
    if (!SendAll(client, header)) return;
    std::string chunk(65536, 'x');
    for (std::size_t sent = 0; sent < huge;) {
      std::size_t n = std::min(chunk.size(), huge - sent);
      if (!WaitFor(client, POLLOUT, 5000) || !SendAll(client, std::string_view(chunk).substr(0, n))) return;
      sent += n;
    }
  }

  void Run() {
    while (WaitFor(Listener, POLLIN)) {
      int client = ::accept4(Listener, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) continue;
      Serve(client);
      ::shutdown(client, SHUT_RDWR);
      ::close(client);
    }
  }
};

TLocalHttpServer::TLocalHttpServer() : Impl(std::make_unique<TImpl>()) {
  Impl->Listener = ListeningSocket(Impl->Port);
  if (::pipe2(Impl->Wake, O_CLOEXEC) != 0) throw std::runtime_error("test server: no pipe");
  Impl->Worker = std::thread([impl = Impl.get()] { impl->Run(); });
}

TLocalHttpServer::~TLocalHttpServer() {
  char stop = 1;
  (void)!::write(Impl->Wake[1], &stop, 1);
  Impl->Worker.join();
  ::close(Impl->Listener);
  ::close(Impl->Wake[0]);
  ::close(Impl->Wake[1]);
}

std::string TLocalHttpServer::Host() const {
  return "127.0.0.1:" + std::to_string(Impl->Port);
}
std::string TLocalHttpServer::Url(std::string_view pathAndQuery) const {
  return "http://" + Host() + std::string(pathAndQuery);
}

void TLocalHttpServer::Reply(int status, std::string body) {
  std::lock_guard guard(Impl->Lock);
  Impl->Mode = TMode::Reply;
  Impl->Status = status;
  Impl->Body = std::move(body);
}

void TLocalHttpServer::ReplyHuge(std::size_t bytes) {
  std::lock_guard guard(Impl->Lock);
  Impl->Mode = TMode::Huge;
  Impl->HugeBytes = bytes;
}

void TLocalHttpServer::Hang() {
  std::lock_guard guard(Impl->Lock);
  Impl->Mode = TMode::Hang;
}

std::vector<TRecordedRequest> TLocalHttpServer::Requests() const {
  std::lock_guard guard(Impl->Lock);
  return Impl->Requests;
}

std::size_t TLocalHttpServer::RequestCount() const {
  std::lock_guard guard(Impl->Lock);
  return Impl->Requests.size();
}

int TLocalHttpServer::ClosedPort() {
  // Take a free port and let it go again: nothing listens there afterwards.
  int port = 0;
  int fd = ListeningSocket(port);
  ::close(fd);
  return port;
}
