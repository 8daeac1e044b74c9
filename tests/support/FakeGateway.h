// A gateway of the family played on the loopback interface: it records every request and answers
// as its script says, from its own address and port or, to test the engine's caution, from another
// port or another address; it can also push datagrams unasked (radio telegrams).
#pragma once

#include "platform/net/UdpSocket.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

using TGatewayBytes = std::vector<std::uint8_t>;

enum class TReplySource { Gateway, Other_Port, Other_Address };

struct TGatewayReply {
  TGatewayBytes Bytes;
  TReplySource Source = TReplySource::Gateway;
};

TGatewayBytes Bytes_Of(std::string_view text);

class TFakeGateway {
public:
  using TScript = std::function<std::vector<TGatewayReply>(const TGatewayBytes& request)>;

  // Listens on `address` (127.0.0.x); port 0 lets the system choose.
  explicit TFakeGateway(const std::string& address = "127.0.0.1", std::uint16_t port = 0);
  ~TFakeGateway();

  std::uint16_t Port() const { return FPort; }
  const std::string& Address() const { return FAddress; }
  void SetScript(TScript script);
  // Sends to the peer of the last request, or to `to` when given.
  void Push(const TGatewayBytes& bytes, TReplySource source = TReplySource::Gateway,
            const TUdpEndpoint& to = {});

  std::vector<TGatewayBytes> Requests() const;
  // Requests received, and datagrams sent towards the engine (answers and pushes).
  std::uint64_t Received() const { return FReceived.load(); }
  std::uint64_t Sent() const { return FSent.load(); }

private:
  void Send(const TGatewayReply& reply, const TUdpEndpoint& to);

  std::string FAddress;
  std::uint16_t FPort = 0;
  mutable std::mutex FMutex;
  TScript FScript;
  std::vector<TGatewayBytes> FRequests;
  TUdpEndpoint FPeer;
  std::atomic<std::uint64_t> FReceived{0}, FSent{0};
  TUdpSocket FSocket, FOtherPort, FOtherAddress;
};
