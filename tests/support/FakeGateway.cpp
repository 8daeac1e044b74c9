#include "support/FakeGateway.h"

#include <stdexcept>

TGatewayBytes Bytes_Of(std::string_view text) {
  return TGatewayBytes(text.begin(), text.end());
}

TFakeGateway::TFakeGateway(const std::string& address, std::uint16_t port) : FAddress(address) {
  FSocket.Bindings() = {{address, port}};
  FSocket.SetOnRead([this](const TUdpDatagram& d) {
    const TGatewayBytes request(d.Data.begin(), d.Data.end());
    std::vector<TGatewayReply> replies;
    {
      std::lock_guard lock(FMutex);
      FRequests.push_back(request);
      FPeer = d.From;
      if (FScript) replies = FScript(request);
      // Counted before they leave, so a waiter never sees the request without its answers.
      FSent += replies.size();
      ++FReceived;
    }
    for (const TGatewayReply& r : replies)
      Send(r, d.From);
  });
  std::string error;
  if (!FSocket.Activate(&error)) throw std::runtime_error("fake gateway: " + error);
  FPort = FSocket.LocalEndpoint().Port;
  FOtherPort.Bindings() = {{address, 0}};
  FOtherAddress.Bindings() = {{"127.0.0.3", 0}};
  if (!FOtherPort.Activate(&error) || !FOtherAddress.Activate(&error))
    throw std::runtime_error("fake gateway: " + error);
}

TFakeGateway::~TFakeGateway() {
  FSocket.Deactivate();
  FOtherPort.Deactivate();
  FOtherAddress.Deactivate();
}

void TFakeGateway::SetScript(TScript script) {
  std::lock_guard lock(FMutex);
  FScript = std::move(script);
}

void TFakeGateway::Push(const TGatewayBytes& bytes, TReplySource source, const TUdpEndpoint& to) {
  TUdpEndpoint peer = to;
  if (peer.Port == 0) {
    std::lock_guard lock(FMutex);
    peer = FPeer;
  }
  ++FSent;
  Send({bytes, source}, peer);
}

std::vector<TGatewayBytes> TFakeGateway::Requests() const {
  std::lock_guard lock(FMutex);
  return FRequests;
}

void TFakeGateway::Send(const TGatewayReply& r, const TUdpEndpoint& to) {
  TUdpSocket& from = r.Source == TReplySource::Gateway      ? FSocket
                     : r.Source == TReplySource::Other_Port ? FOtherPort
                                                            : FOtherAddress;
  from.SendTo(to.Address, to.Port, r.Bytes);
}
