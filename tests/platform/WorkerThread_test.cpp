// A worker thread: work in the order it was asked for, failures handed
// back, and nothing asked for left undone when it ends.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/WorkerThread.h"

namespace morvanta::platform {
namespace {

TEST(WorkerThread, RunsInOrderHandsBackFailuresAndFinishesWhenItEnds) {
  std::vector<int> order;
  std::future<int> last;
  std::future<void> failed;
  {
    WorkerThread worker;
    std::future<void> first = worker.run([&order] { order.push_back(1); });
    failed = worker.run([]() -> void { throw std::runtime_error("cannot replace X"); });
    first.get();
    for (int n = 2; n <= 50; ++n) {
      last = worker.run([&order, n] {
        order.push_back(n);
        return n;
      });
    }
    // Ended with work still waiting: all of it is done first.
  }
  EXPECT_EQ(last.get(), 50);
  ASSERT_EQ(order.size(), 50u);
  for (int n = 1; n <= 50; ++n) EXPECT_EQ(order[n - 1], n);
  try {
    failed.get();
    ADD_FAILURE() << "the failure was lost";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "cannot replace X");
  }
}

}  // namespace
}  // namespace morvanta::platform
