#include "platform/net/UdpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool ToAddress(const std::string& host, std::uint16_t port, sockaddr_in& out) {
  std::memset(&out, 0, sizeof out);
  out.sin_family = AF_INET;
  out.sin_port = htons(port);
  if (host.empty()) {
    out.sin_addr.s_addr = htonl(INADDR_ANY);
    return true;
  }
  return inet_pton(AF_INET, host.c_str(), &out.sin_addr) == 1;
}

TUdpEndpoint FromAddress(const sockaddr_in& a) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &a.sin_addr, text, sizeof text);
  return {text, ntohs(a.sin_port)};
}

} // namespace

TUdpSocket::TUdpSocket(std::size_t receiveBufferSize) : FBufferSize(receiveBufferSize) {}

TUdpSocket::~TUdpSocket() {
  Deactivate();
}

void TUdpSocket::SetOnRead(TReadHandler handler) {
  FOnRead = std::move(handler);
}

bool TUdpSocket::Activate(std::string* error) {
  if (Active()) return true;
  auto fail = [&](const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
    return false;
  };
  FFd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (FFd < 0) return fail("socket");
  const TUdpEndpoint local = FBindings.empty() ? TUdpEndpoint{} : FBindings.front();
  sockaddr_in addr;
  if (!ToAddress(local.Address, local.Port, addr)) {
    errno = EINVAL;
    return fail("address " + local.Address);
  }
  if (::bind(FFd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0)
    return fail("bind " + local.Address + ":" + std::to_string(local.Port));
  if (::pipe2(FWake, O_CLOEXEC) != 0) return fail("pipe");
  FListener = std::thread([this] { Listen(); });
  return true;
}

void TUdpSocket::Deactivate() {
  if (!Active()) return;
  const char stop = 1;
  while (::write(FWake[1], &stop, 1) < 0 && errno == EINTR) {
  }
  if (FListener.joinable()) FListener.join();
  ::close(FWake[0]);
  ::close(FWake[1]);
  FWake[0] = FWake[1] = -1;
  std::lock_guard lock(FSendMutex);
  ::close(FFd);
  FFd = -1;
}

TUdpEndpoint TUdpSocket::LocalEndpoint() const {
  sockaddr_in a{};
  socklen_t len = sizeof a;
  if (FFd < 0 || ::getsockname(FFd, reinterpret_cast<sockaddr*>(&a), &len) != 0) return {};
  return FromAddress(a);
}

bool TUdpSocket::SendTo(const std::string& host, std::uint16_t port, std::span<const std::uint8_t> bytes) {
  sockaddr_in to;
  if (!ToAddress(host, port, to) || host.empty()) return false;
  std::lock_guard lock(FSendMutex);
  if (FFd < 0) return false;
  const ssize_t sent =
      ::sendto(FFd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  return sent == static_cast<ssize_t>(bytes.size());
}

void TUdpSocket::Listen() {
  std::vector<std::uint8_t> buffer(FBufferSize);
  pollfd fds[2] = {{FFd, POLLIN, 0}, {FWake[0], POLLIN, 0}};
  for (;;) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents) return;
    if (!(fds[0].revents & POLLIN)) continue;
    sockaddr_in from{};
    socklen_t len = sizeof from;
    // MSG_TRUNC reports the datagram's whole length, so a longer one is seen as such.
    const ssize_t n = ::recvfrom(FFd, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&from), &len);
    if (n < 0) continue;
    TUdpDatagram d;
    d.Oversized = static_cast<std::size_t>(n) > buffer.size();
    d.Data = std::span<const std::uint8_t>(buffer.data(),
                                           d.Oversized ? buffer.size() : static_cast<std::size_t>(n));
    d.From = FromAddress(from);
    if (FOnRead) FOnRead(d);
  }
}
