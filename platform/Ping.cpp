#include "platform/Ping.h"

#include "platform/Clock.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint8_t Icmp_Echo_Reply = 0;
constexpr std::uint8_t Icmp_Echo_Request = 8;
constexpr std::size_t Icmp_Header_Size = 8;
constexpr int Max_Data_Size = 65000;
constexpr std::int64_t Poll_Step_Ms = 5;

std::atomic<std::uint16_t> Sequence{0};
TEchoClient* Current = nullptr;

class TSocket {
public:
  ~TSocket() {
    if (Fd >= 0) ::close(Fd);
  }
  int Fd = -1;
  bool Raw = false; // a raw socket hands over the IP header and every ICMP message of the host
};

std::string ErrorText(int error) {
  return std::strerror(error);
}

bool OpenIcmp(TSocket& s, std::string& error) {
  s.Fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (s.Fd >= 0) return true;
  const int pingError = errno;
  s.Fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (s.Fd >= 0) {
    s.Raw = true;
    return true;
  }
  error = "cannot send echo requests: the system allows no ping socket (" + ErrorText(pingError) +
          ") and no raw socket (" + ErrorText(errno) + ")";
  return false;
}

std::uint16_t Checksum(const std::vector<std::uint8_t>& data) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2)
    sum += static_cast<std::uint32_t>(data[i] << 8 | data[i + 1]);
  if (data.size() % 2) sum += static_cast<std::uint32_t>(data.back() << 8);
  while (sum >> 16)
    sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

std::uint16_t Get16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

// The ICMP part of a received datagram when it is the reply to our request; its size, else 0.
std::size_t MatchReply(const TSocket& s, const std::uint8_t* data, std::size_t size, std::uint16_t id,
                       std::uint16_t seq) {
  if (s.Raw) {
    if (size < 20) return 0;
    const std::size_t headerSize = static_cast<std::size_t>(data[0] & 0x0F) * 4;
    if (headerSize < 20 || size < headerSize) return 0;
    data += headerSize;
    size -= headerSize;
  }
  if (size < Icmp_Header_Size || data[0] != Icmp_Echo_Reply || Get16(data + 6) != seq) return 0;
  // A ping socket's identifier is the kernel's, which also sorts the replies to it.
  if (s.Raw && Get16(data + 4) != id) return 0;
  return size;
}

} // namespace

TEchoReply TIcmpEchoClient::Echo(const std::string& address, int dataSize, int timeoutMs) {
  TEchoReply reply;
  in_addr target{};
  // Only dotted numbers: a name is never looked up here.
  if (::inet_pton(AF_INET, address.c_str(), &target) != 1) {
    reply.Status = TEchoStatus::BadAddress;
    reply.Error = "\"" + address + "\" is no IPv4 address";
    return reply;
  }
  TSocket s;
  if (!OpenIcmp(s, reply.Error)) {
    reply.Status = TEchoStatus::NoSocket;
    return reply;
  }

  const std::uint16_t id = static_cast<std::uint16_t>(::getpid());
  const std::uint16_t seq = ++Sequence;
  std::vector<std::uint8_t> packet(Icmp_Header_Size +
                                   static_cast<std::size_t>(std::clamp(dataSize, 0, Max_Data_Size)));
  packet[0] = Icmp_Echo_Request;
  packet[4] = static_cast<std::uint8_t>(id >> 8);
  packet[5] = static_cast<std::uint8_t>(id);
  packet[6] = static_cast<std::uint8_t>(seq >> 8);
  packet[7] = static_cast<std::uint8_t>(seq);
  for (std::size_t i = Icmp_Header_Size; i < packet.size(); ++i)
    packet[i] = static_cast<std::uint8_t>(i);
  const std::uint16_t sum = Checksum(packet);
  packet[2] = static_cast<std::uint8_t>(sum >> 8);
  packet[3] = static_cast<std::uint8_t>(sum);

  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr = target;
  if (::sendto(s.Fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) <
      0) {
    reply.Status = TEchoStatus::SendFailed;
    reply.Error = "the echo request to " + address + " cannot be sent: " + ErrorText(errno);
    return reply;
  }

  // The wait goes by the program clock: look for a datagram, else sleep one step.
  std::vector<std::uint8_t> buffer(65536);
  const std::int64_t deadline = Clock().NowMs() + std::max(timeoutMs, 0);
  for (;;) {
    pollfd p{s.Fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, 0);
    if (ready > 0 && (p.revents & POLLIN)) {
      sockaddr_in from{};
      socklen_t fromSize = sizeof from;
      const ssize_t n =
          ::recvfrom(s.Fd, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
      if (n > 0 && from.sin_addr.s_addr == target.s_addr) {
        if (std::size_t size = MatchReply(s, buffer.data(), static_cast<std::size_t>(n), id, seq)) {
          reply.Status = TEchoStatus::Answered;
          reply.BytesReceived = static_cast<int>(size);
          return reply;
        }
      }
      continue; // someone else's message: look again at once
    }
    if (ready > 0) { // an error report (an unreachable host ...): clear it and keep waiting
      int pending = 0;
      socklen_t pendingSize = sizeof pending;
      ::getsockopt(s.Fd, SOL_SOCKET, SO_ERROR, &pending, &pendingSize);
    }
    const std::int64_t left = deadline - Clock().NowMs();
    if (left <= 0) break;
    Clock().SleepMs(std::min(left, Poll_Step_Ms));
  }
  reply.Status = TEchoStatus::TimedOut;
  return reply;
}

TEchoClient& EchoClient() {
  static TIcmpEchoClient System;
  return Current ? *Current : System;
}

void SetEchoClient(TEchoClient* client) {
  Current = client;
}
