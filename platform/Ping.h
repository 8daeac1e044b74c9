// ICMP echo ("ping") to an IPv4 address, behind an interface so tests can answer in its place.
#pragma once

#include <string>

enum class TEchoStatus {
  Answered,   // a reply came back within the time-out
  TimedOut,   // no reply within the time-out
  BadAddress, // the text is no dotted IPv4 address (names are never looked up)
  NoSocket,   // this computer lets the program open neither a ping socket nor a raw socket
  SendFailed, // the request could not be sent (no route to the address, ...)
};

struct TEchoReply {
  TEchoStatus Status = TEchoStatus::TimedOut;
  int BytesReceived = 0; // size of the reply's ICMP message; 0 unless answered
  std::string Error;     // why, for BadAddress, NoSocket and SendFailed
};

class TEchoClient {
public:
  virtual ~TEchoClient() = default;
  // Sends one echo request carrying `dataSize` bytes to `address` and waits at most `timeoutMs`
  // on the program clock for its reply.
  virtual TEchoReply Echo(const std::string& address, int dataSize, int timeoutMs) = 0;
};

// The system's ICMP: an unprivileged ping socket where the system allows one, else a raw socket.
class TIcmpEchoClient : public TEchoClient {
public:
  TEchoReply Echo(const std::string& address, int dataSize, int timeoutMs) override;
};

// The echo client in use: the system's unless a test replaced it.
TEchoClient& EchoClient();
// Replaces the echo client; nullptr restores the system's.
void SetEchoClient(TEchoClient* client);

// Installs an echo client for the lifetime of a scope.
class TScopedEchoClient {
public:
  explicit TScopedEchoClient(TEchoClient& client) { SetEchoClient(&client); }
  ~TScopedEchoClient() { SetEchoClient(nullptr); }
  TScopedEchoClient(const TScopedEchoClient&) = delete;
  TScopedEchoClient& operator=(const TScopedEchoClient&) = delete;
};
