// A UDP socket with a listener thread of its own: created inactive, bound when activated (to its
// bindings, or any address and a port the system chooses), each datagram handed whole with its
// source to the read handler on the listener thread, deactivated by joining that thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

struct TUdpEndpoint {
  std::string Address; // IPv4 text; empty or "0.0.0.0" for any local address
  std::uint16_t Port = 0;
  bool operator==(const TUdpEndpoint&) const = default;
};

struct TUdpDatagram {
  std::span<const std::uint8_t> Data; // at most the receive buffer's size
  TUdpEndpoint From;
  bool Oversized = false; // longer than the receive buffer: Data holds only its start
};

class TUdpSocket {
public:
  using TReadHandler = std::function<void(const TUdpDatagram&)>;

  explicit TUdpSocket(std::size_t receiveBufferSize = 8192);
  ~TUdpSocket();
  TUdpSocket(const TUdpSocket&) = delete;
  TUdpSocket& operator=(const TUdpSocket&) = delete;

  // Set while inactive.
  void SetOnRead(TReadHandler handler);
  std::vector<TUdpEndpoint>& Bindings() { return FBindings; }

  // Binds the first binding (or any address, a system port) and starts the listener; false with
  // the reason in `error` when the socket cannot be opened or bound.
  bool Activate(std::string* error = nullptr);
  // Stops the listener and waits for it; a read handler running now finishes first. Not to be
  // called from the read handler.
  void Deactivate();
  bool Active() const { return FFd >= 0; }
  // The bound local endpoint while active.
  TUdpEndpoint LocalEndpoint() const;

  // One datagram; false when inactive, the host is no IPv4 address or the send fails.
  bool SendTo(const std::string& host, std::uint16_t port, std::span<const std::uint8_t> bytes);

private:
  void Listen();

  std::size_t FBufferSize;
  TReadHandler FOnRead;
  std::vector<TUdpEndpoint> FBindings;
  int FFd = -1;
  int FWake[2] = {-1, -1}; // a pipe that ends the listener's poll
  std::thread FListener;
  std::mutex FSendMutex;
};
