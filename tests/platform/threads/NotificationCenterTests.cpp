#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "orvane/platform/threads/NotificationCenter.h"

namespace ov {
namespace {

TEST(NotificationCenter, DeliversByNameInOrderWithObjectAndDetails) {
    NotificationCenter center;
    std::vector<std::string> calls;
    auto first = center.addObserver(String("Ready"), [&](const Notification& notification) {
        calls.push_back("first " + notification.object.description().toUtf8() + " " +
                        notification.userInfo.objectForKey("step").description().toUtf8());
    });
    auto everything = center.addObserver(std::nullopt, [&](const Notification& notification) {
        calls.push_back("any " + notification.name.toUtf8());
    });
    auto other =
        center.addObserver(String("Other"), [&](const Notification&) { calls.push_back("other"); });
    center.postNotification("Ready", "sender", Dictionary{{"step", 2}});
    center.postNotification("Unknown");
    EXPECT_EQ(calls, (std::vector<std::string>{"first sender 2", "any Ready", "any Unknown"}));
}

TEST(NotificationCenter, TokensUnregisterWhenDestroyedOrCancelled) {
    NotificationCenter center;
    int calls = 0;
    {
        auto token = center.addObserver(String("Ping"), [&](const Notification&) { ++calls; });
        center.postNotification("Ping");
        Subscription moved = std::move(token);
        center.postNotification("Ping");
        moved.cancel();
        EXPECT_FALSE(moved.isActive());
        center.postNotification("Ping");
    }
    center.postNotification("Ping");
    EXPECT_EQ(calls, 2);
}

TEST(NotificationCenter, ObserversMayPostAddAndRemoveWhileBeingCalled) {
    NotificationCenter center;
    std::vector<std::string> calls;
    Subscription second;
    Subscription added;
    Subscription self;
    auto first = center.addObserver(String("Go"), [&](const Notification&) {
        calls.push_back("first");
        second.cancel();  // removed before its turn: not called
        added = center.addObserver(String("Go"),
                                   [&](const Notification&) { calls.push_back("added"); });
    });
    second =
        center.addObserver(String("Go"), [&](const Notification&) { calls.push_back("second"); });
    self = center.addObserver(String("Go"), [&](const Notification&) {
        calls.push_back("self");
        self.cancel();
        center.postNotification("Nested");
    });
    auto nested = center.addObserver(String("Nested"),
                                     [&](const Notification&) { calls.push_back("nested"); });
    center.postNotification("Go");
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "self", "nested"}));
    calls.clear();
    first.cancel();
    center.postNotification("Go");
    EXPECT_EQ(calls, (std::vector<std::string>{"added"}));
}

TEST(NotificationCenter, RemovalWaitsForACallOnAnotherThread) {
    NotificationCenter center;
    std::atomic<bool> inside{false};
    std::atomic<bool> release{false};
    std::atomic<bool> finished{false};
    auto token = center.addObserver(String("Slow"), [&](const Notification&) {
        inside = true;
        while (!release)
            std::this_thread::yield();
        finished = true;
    });
    std::thread poster([&] { center.postNotification("Slow"); });
    while (!inside)
        std::this_thread::yield();
    std::atomic<bool> cancelling{false};
    std::thread releaser([&] {
        while (!cancelling)
            std::this_thread::yield();
        for (int i = 0; i < 1000; ++i)
            std::this_thread::yield();  // let cancel() start waiting
        release = true;
    });
    cancelling = true;
    token.cancel();
    EXPECT_TRUE(finished);
    poster.join();
    releaser.join();
}

TEST(NotificationCenter, PostsFromManyThreadsReachEveryObserver) {
    NotificationCenter center;
    std::atomic<int> calls{0};
    auto a = center.addObserver(String("Tick"), [&](const Notification&) { ++calls; });
    auto b = center.addObserver(String("Tick"), [&](const Notification&) { ++calls; });
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&] {
            for (int j = 0; j < 250; ++j)
                center.postNotification("Tick");
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(calls, 2000);
}

}  // namespace
}  // namespace ov
