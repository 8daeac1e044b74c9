// ICMP echo: a real request to the loopback address, addresses refused before anything is sent,
// a clear answer where the system lets the program open no ICMP socket, and the replaceable client.
#include "platform/Ping.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Ping, TheLoopbackAddressAnswersARealEchoRequest) {
  TIcmpEchoClient client;
  const TEchoReply reply = client.Echo("127.0.0.1", 1024, 2000);
  if (reply.Status == TEchoStatus::NoSocket)
    GTEST_SKIP() << "this system allows no ICMP socket: " << reply.Error;
  ASSERT_EQ(reply.Status, TEchoStatus::Answered) << reply.Error;
  EXPECT_EQ(reply.BytesReceived, 8 + 1024) << "the reply carries the request's data back";
  EXPECT_TRUE(reply.Error.empty());
}

TEST(Ping, OnlyDottedIPv4AddressesAreUsedAndNoNameIsLookedUp) {
  TIcmpEchoClient client;
  for (const char* address :
       {"", "abc", "localhost", "256.1.1.1", "10.0.0", "10.0.0.1 ", "::1", "1.2.3.4.5"}) {
    SCOPED_TRACE(address);
    const TEchoReply reply = client.Echo(address, 1024, 400);
    EXPECT_EQ(reply.Status, TEchoStatus::BadAddress);
    EXPECT_EQ(reply.BytesReceived, 0);
    EXPECT_NE(reply.Error.find("is no IPv4 address"), std::string::npos) << reply.Error;
  }
}

TEST(Ping, WithoutAnICMPSocketTheAnswerSaysSoAndNeverThatNoDeviceAnswered) {
  // Without super-user rights the system may refuse both kinds of socket (it depends on its ping
  // group setting); either the echo works or the answer names the reason.
  TTempDir dir;
  const bool clear = RunUnprivileged(dir, [] {
    const TEchoReply reply = TIcmpEchoClient().Echo("127.0.0.1", 64, 2000);
    if (reply.Status == TEchoStatus::Answered) return true;
    return reply.Status == TEchoStatus::NoSocket && reply.Error.rfind("cannot send echo requests", 0) == 0;
  });
  EXPECT_TRUE(clear);
}

class TOneAnswer : public TEchoClient {
public:
  TEchoReply Echo(const std::string& address, int dataSize, int) override {
    Asked = address;
    return {TEchoStatus::Answered, dataSize, {}};
  }
  std::string Asked;
};

TEST(Ping, TheEchoClientInUseCanBeReplacedForAScope) {
  TEchoClient* system = &EchoClient();
  EXPECT_NE(dynamic_cast<TIcmpEchoClient*>(system), nullptr);
  TOneAnswer fake;
  {
    TScopedEchoClient scoped(fake);
    EXPECT_EQ(&EchoClient(), &fake);
    EXPECT_EQ(EchoClient().Echo("10.1.2.3", 32, 400).BytesReceived, 32);
    EXPECT_EQ(fake.Asked, "10.1.2.3");
  }
  EXPECT_EQ(&EchoClient(), system);
}

} // namespace
