#include "platform/ui/Application.h"
#include "platform/ui/MainThreadQueue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(MainThreadQueue, CallsFromAWorkerRunOnTheUserInterfaceThreadInOrder) {
  Application->ProcessMessages(); // the application exists before the worker queues
  std::vector<int> seen;
  std::vector<std::thread::id> threads;
  std::thread worker([&] {
    for (int i = 0; i < 200; ++i)
      QueueOnMainThread([&seen, &threads, i] {
        seen.push_back(i);
        threads.push_back(std::this_thread::get_id());
      });
  });
  worker.join(); // the worker never waited for its calls
  EXPECT_TRUE(seen.empty());
  Application->ProcessMessages();
  ASSERT_EQ(seen.size(), 200u);
  for (int i = 0; i < 200; ++i)
    EXPECT_EQ(seen[static_cast<std::size_t>(i)], i);
  for (const auto& id : threads)
    EXPECT_EQ(id, std::this_thread::get_id());
}

} // namespace
