#include "platform/net/UdpSocket.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

struct TSeen {
  std::mutex Mutex;
  std::vector<std::vector<std::uint8_t>> Data;
  std::vector<TUdpEndpoint> From;
  std::vector<bool> Oversized;
  std::thread::id Thread;
  std::atomic<int> Count{0};
};

void Wait_For(const std::atomic<int>& count, int n) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (count.load() < n && std::chrono::steady_clock::now() < end)
    std::this_thread::yield();
}

TEST(UdpSocket, InactiveUntilActivatedThenWholeDatagramsWithTheirSource) {
  TSeen seen;
  TUdpSocket receiver(8192);
  receiver.Bindings() = {{"127.0.0.1", 0}};
  receiver.SetOnRead([&](const TUdpDatagram& d) {
    std::lock_guard lock(seen.Mutex);
    seen.Data.emplace_back(d.Data.begin(), d.Data.end());
    seen.From.push_back(d.From);
    seen.Oversized.push_back(d.Oversized);
    seen.Thread = std::this_thread::get_id();
    ++seen.Count;
  });
  EXPECT_FALSE(receiver.Active());
  ASSERT_TRUE(receiver.Activate());
  const TUdpEndpoint local = receiver.LocalEndpoint();
  EXPECT_EQ(local.Address, "127.0.0.1");
  EXPECT_NE(local.Port, 0);

  TUdpSocket sender;
  EXPECT_FALSE(sender.SendTo("127.0.0.1", local.Port, std::vector<std::uint8_t>{1})) << "inactive";
  ASSERT_TRUE(sender.Activate()); // any address, a port of the system's choice
  const std::vector<std::uint8_t> small = {1, 2, 3};
  const std::vector<std::uint8_t> exact(8192, 7), over(9000, 9);
  ASSERT_TRUE(sender.SendTo("127.0.0.1", local.Port, small));
  ASSERT_TRUE(sender.SendTo("127.0.0.1", local.Port, exact));
  ASSERT_TRUE(sender.SendTo("127.0.0.1", local.Port, over));
  EXPECT_FALSE(sender.SendTo("gateway.invalid", local.Port, small)) << "not an IPv4 address";
  Wait_For(seen.Count, 3);
  receiver.Deactivate();
  EXPECT_FALSE(receiver.Active());

  std::lock_guard lock(seen.Mutex);
  ASSERT_EQ(seen.Data.size(), 3u);
  EXPECT_EQ(seen.Data[0], small);
  EXPECT_EQ(seen.Data[1], exact);
  EXPECT_EQ(seen.Oversized, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(seen.Data[2].size(), 8192u);
  EXPECT_EQ(seen.From[0].Port, sender.LocalEndpoint().Port);
  EXPECT_NE(seen.Thread, std::this_thread::get_id());
}

TEST(UdpSocket, DeactivateWaitsForTheHandlerAndActivatesAgain) {
  std::atomic<int> count{0};
  std::atomic<bool> inHandler{false}, release{false};
  TUdpSocket receiver;
  receiver.Bindings() = {{"127.0.0.1", 0}};
  receiver.SetOnRead([&](const TUdpDatagram&) {
    inHandler = true;
    while (!release)
      std::this_thread::yield();
    ++count;
  });
  ASSERT_TRUE(receiver.Activate());
  TUdpSocket sender;
  ASSERT_TRUE(sender.Activate());
  ASSERT_TRUE(sender.SendTo("127.0.0.1", receiver.LocalEndpoint().Port, std::vector<std::uint8_t>{1}));
  while (!inHandler)
    std::this_thread::yield();
  std::thread closer([&] { receiver.Deactivate(); });
  release = true;
  closer.join();
  EXPECT_EQ(count.load(), 1);
  ASSERT_TRUE(receiver.Activate());
  EXPECT_TRUE(receiver.Active());
}

TEST(UdpSocket, BindingTakenIsReported) {
  TUdpSocket first;
  first.Bindings() = {{"127.0.0.1", 0}};
  ASSERT_TRUE(first.Activate());
  TUdpSocket second;
  second.Bindings() = {first.LocalEndpoint()};
  std::string error;
  EXPECT_FALSE(second.Activate(&error));
  EXPECT_NE(error.find("bind"), std::string::npos) << error;
  EXPECT_FALSE(second.Active());
}

} // namespace
