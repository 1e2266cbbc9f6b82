#include <gtest/gtest.h>

#include <algorithm>

#include "LoaderFixture.h"
#include "orvane/platform/network/URLConnection.h"
#include "orvane/platform/threads/MemoryWarning.h"
#include "orvane/platform/threads/NotificationCenter.h"

namespace ov {
namespace {

using test::ImageServer;
using test::LoaderTest;
using test::Requester;

std::vector<std::string> queuedPaths(const AsyncImageLoader& loader) {
    std::vector<std::string> paths;
    for (const auto& connection : loader.connections())
        paths.push_back(connection->URL()->path().toUtf8());
    return paths;
}

std::shared_ptr<Image> solidImage() {
    return Image::imageWithData(test::solidPng(2, 2, 0xFF0000FF));
}

TEST_F(LoaderTest, TenRequestsEachStartAtOnceBecauseEveryUpdateCountsFromZero) {
    ImageServer server;
    auto requester = std::make_shared<Requester>();
    for (int index = 0; index < 10; ++index)
        load(server.url("/held/" + std::to_string(index)), requester);
    ASSERT_EQ(loader().connections().size(), 10u);
    for (const auto& connection : loader().connections())
        EXPECT_TRUE(connection->isLoading());
    // Loading connections keep the order they started in.
    EXPECT_EQ(queuedPaths(loader()).front(), "/held/0");
    EXPECT_EQ(queuedPaths(loader()).back(), "/held/9");
}

TEST_F(LoaderTest, WaitingConnectionsQueueNewestFirstBehindTheLoadingOnes) {
    ImageServer server;
    auto requester = std::make_shared<Requester>();
    loader().setConcurrentLoads(0);
    for (const char* name : {"a", "b", "c"})
        load(server.url(std::string("/held/") + name), requester);
    EXPECT_EQ(queuedPaths(loader()), (std::vector<std::string>{"/held/c", "/held/b", "/held/a"}));

    loader().setConcurrentLoads(2);
    loader().updateQueue();
    EXPECT_TRUE(loader().connections()[0]->isLoading());
    EXPECT_TRUE(loader().connections()[1]->isLoading());
    EXPECT_FALSE(loader().connections()[2]->isLoading());

    loader().setConcurrentLoads(0);
    load(server.url("/held/d"), requester);
    EXPECT_EQ(queuedPaths(loader()),
              (std::vector<std::string>{"/held/c", "/held/b", "/held/d", "/held/a"}));
}

TEST_F(LoaderTest, ACacheHitCallsBackOnALaterTurnWithoutAConnection) {
    ImageServer server;
    const URL url = server.url("/png/cached");
    const auto image = solidImage();
    AsyncImageLoader::defaultCache()->setObject(image, url.absoluteString());
    auto requester = std::make_shared<Requester>();
    size_t finishes = 0;
    Subscription observer = NotificationCenter::defaultCenter().addObserver(
        String(AsyncImageLoadDidFinish), [&](const Notification&) { ++finishes; });

    load(url, requester);
    EXPECT_TRUE(loader().connections().empty());
    EXPECT_TRUE(requester->loaded.empty());
    RunLoop::main().runPending();
    ASSERT_EQ(requester->loaded.size(), 1u);
    EXPECT_EQ(requester->loaded[0].image, image);
    EXPECT_EQ(requester->loaded[0].url, url);
    EXPECT_EQ(server.requestCount(), 0u);
    EXPECT_EQ(finishes, 0u);
}

TEST_F(LoaderTest, ThreadedLoadDeliversTheDecodedImageAndCachesIt) {
    ImageServer server;
    const URL url = server.url("/png/photo@2x.png");
    auto requester = std::make_shared<Requester>();
    std::optional<Notification> finished;
    Subscription observer = NotificationCenter::defaultCenter().addObserver(
        String(AsyncImageLoadDidFinish), [&](const Notification& note) { finished = note; });

    load(url, requester);
    ASSERT_TRUE(runUntil([&] { return !requester->loaded.empty(); }));
    const auto& image = requester->loaded[0].image;
    ASSERT_TRUE(image);
    EXPECT_EQ(image->scale(), 2.0);
    EXPECT_EQ(image->width(), 2.0);
    EXPECT_EQ(image->rgbaAt(0, 0), (std::array<uint8_t, 4>{0x33, 0x66, 0xCC, 0xFF}));
    EXPECT_EQ(AsyncImageLoader::defaultCache()->objectForKey(url.absoluteString()), image);
    EXPECT_TRUE(loader().connections().empty());

    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->userInfo.objectForKey(AsyncImageURLKey), Value(url.absoluteString()));
    EXPECT_EQ(finished->userInfo.objectForKey(AsyncImageImageKey).ifObjectOf<Image>(), image);
    EXPECT_EQ(finished->userInfo.objectForKey(AsyncImageCacheKey).ifObjectOf<Cache>(),
              AsyncImageLoader::defaultCache());
}

TEST_F(LoaderTest, ThreadedTwoRequestersOfOneAddressGetTheImageOnceEach) {
    ImageServer server;
    const URL url = server.url("/held/shared");
    auto first = std::make_shared<Requester>();
    auto second = std::make_shared<Requester>();
    load(url, first);
    load(url, second);
    server.release("shared");
    ASSERT_TRUE(runUntil([&] { return loader().connections().empty(); }));
    RunLoop::main().runPending();
    EXPECT_EQ(first->loaded.size(), 1u);
    EXPECT_EQ(second->loaded.size(), 1u);
    EXPECT_EQ(first->loaded[0].image, second->loaded[0].image);
}

TEST_F(LoaderTest, ThreadedALaterRequestFinishingFirstDropsTheOlderOneSilently) {
    ImageServer server;
    auto requester = std::make_shared<Requester>();
    load(server.url("/held/A"), requester);
    load(server.url("/held/B"), requester);
    server.release("B");
    ASSERT_TRUE(runUntil([&] { return !requester->loaded.empty(); }));
    EXPECT_TRUE(loader().connections().empty());
    server.release("A");
    load(server.url("/png/after"), requester);
    ASSERT_TRUE(runUntil([&] { return requester->loaded.size() == 2; }));
    EXPECT_EQ(requester->loaded[0].url, server.url("/held/B"));
    EXPECT_EQ(requester->loaded[1].url, server.url("/png/after"));
}

TEST_F(LoaderTest, ThreadedAnOlderRequestFinishingFirstIsDeliveredAndTheLaterStaysQueued) {
    ImageServer server;
    auto requester = std::make_shared<Requester>();
    load(server.url("/held/A"), requester);
    load(server.url("/held/B"), requester);
    server.release("A");
    ASSERT_TRUE(runUntil([&] { return !requester->loaded.empty(); }));
    EXPECT_EQ(queuedPaths(loader()), std::vector<std::string>{"/held/B"});
    server.release("B");
    ASSERT_TRUE(runUntil([&] { return requester->loaded.size() == 2; }));
    EXPECT_EQ(requester->loaded[0].url, server.url("/held/A"));
    EXPECT_EQ(requester->loaded[1].url, server.url("/held/B"));
}

TEST_F(LoaderTest, CancelAndLookUpMatchByAddressTargetAndAction) {
    ImageServer server;
    loader().setConcurrentLoads(0);
    auto one = std::make_shared<Requester>();
    auto two = std::make_shared<Requester>();
    load(server.url("/held/1a"), one, "first:");
    load(server.url("/held/1b"), one, "second:");
    load(server.url("/held/2a"), two, "first:");
    load(server.url("/held/2b"), two, "first:");

    EXPECT_EQ(loader().URLForTarget(one.get()), server.url("/held/1a"));
    EXPECT_EQ(loader().URLForTarget(one.get(), test::loadedAction("second:")),
              server.url("/held/1b"));
    EXPECT_EQ(loader().URLForTarget(two.get()), server.url("/held/2a"));
    EXPECT_EQ(loader().URLForTarget(nullptr), std::nullopt);

    loader().cancelLoadingURL(server.url("/held/nowhere"));
    EXPECT_EQ(loader().connections().size(), 4u);
    loader().cancelLoadingURL(server.url("/held/1a"), two.get());
    EXPECT_EQ(loader().connections().size(), 4u);
    loader().cancelLoadingImagesForTarget(one.get(), test::loadedAction("second:"));
    EXPECT_EQ(queuedPaths(loader()),
              (std::vector<std::string>{"/held/2b", "/held/2a", "/held/1a"}));
    loader().cancelLoadingURL(server.url("/held/2b"), two.get());
    EXPECT_EQ(queuedPaths(loader()), (std::vector<std::string>{"/held/2a", "/held/1a"}));
    loader().cancelLoadingImagesForTarget(two.get());
    EXPECT_EQ(queuedPaths(loader()), std::vector<std::string>{"/held/1a"});
    loader().cancelLoadingURL(server.url("/held/1a"));
    EXPECT_TRUE(loader().connections().empty());
    RunLoop::main().runPending();
    EXPECT_TRUE(one->loaded.empty() && one->failed.empty() && two->loaded.empty());
}

TEST_F(LoaderTest, ThreadedACancelledRequestNeverCallsBack) {
    ImageServer server;
    auto cancelled = std::make_shared<Requester>();
    auto other = std::make_shared<Requester>();
    load(server.url("/held/gone"), cancelled);
    loader().cancelLoadingURL(server.url("/held/gone"));
    server.release("gone");
    load(server.url("/held/kept"), other);
    server.release("kept");
    ASSERT_TRUE(runUntil([&] { return !other->loaded.empty(); }));
    RunLoop::main().runPending();
    EXPECT_TRUE(cancelled->loaded.empty());
    EXPECT_TRUE(cancelled->failed.empty());
}

class LoaderFailureTest : public LoaderTest {
  protected:
    Requester::Failed failureOf(const std::optional<URL>& url) {
        auto requester = std::make_shared<Requester>();
        load(url, requester);
        EXPECT_TRUE(runUntil([&] { return !requester->failed.empty(); }));
        EXPECT_TRUE(requester->loaded.empty());
        EXPECT_TRUE(loader().connections().empty());
        return requester->failed.empty() ? Requester::Failed{Error("none", 0), std::nullopt}
                                         : requester->failed[0];
    }
};

void expectError(const Requester::Failed& failure, const std::string& domain, long long code,
                 const std::string& description) {
    EXPECT_EQ(failure.error.domain(), domain);
    EXPECT_EQ(failure.error.code(), code);
    EXPECT_EQ(failure.error.localizedDescription(), description);
}

TEST_F(LoaderFailureTest, ThreadedBadBytesErrorPagesRefusedPortsAndTimeOutsFail) {
    ImageServer server;
    expectError(failureOf(server.url("/text")), "AsyncImageLoader", 0, "Invalid image data");
    expectError(failureOf(server.url("/missing.png")), "AsyncImageLoader", 0, "Invalid image data");
    const auto refused = URL::withString("http://127.0.0.1:1/a.png");
    const auto failure = failureOf(refused);
    expectError(failure, NSURLErrorDomain, NSURLErrorCannotConnectToHost,
                "Could not connect to the server.");
    EXPECT_EQ(failure.url, refused);

    loader().setLoadingTimeout(0.2);
    expectError(failureOf(server.url("/held/never")), NSURLErrorDomain, NSURLErrorTimedOut,
                "The request timed out.");
}

TEST_F(LoaderTest, ANilAddressSucceedsWithNoImageAndNoAddress) {
    auto requester = std::make_shared<Requester>();
    load(std::nullopt, requester);
    ASSERT_EQ(requester->loaded.size(), 1u);
    EXPECT_EQ(requester->loaded[0].image, nullptr);
    EXPECT_EQ(requester->loaded[0].url, std::nullopt);
    EXPECT_TRUE(loader().connections().empty());
}

TEST_F(LoaderTest, ThreadedTheRotatedJpegComesOutUpright) {
    ImageServer server;
    auto requester = std::make_shared<Requester>();
    load(server.url("/jpeg/rotated.jpg"), requester);
    ASSERT_TRUE(runUntil([&] { return !requester->loaded.empty(); }));
    const auto& image = requester->loaded[0].image;
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 8);
    EXPECT_EQ(image->pixelHeight(), 16);
    EXPECT_GT(image->rgbaAt(4, 2)[0], 200);   // red on top
    EXPECT_GT(image->rgbaAt(4, 13)[2], 200);  // blue below
}

TEST_F(LoaderTest, TheDefaultCacheEmptiesWholeOnAMemoryWarning) {
    const auto& cache = AsyncImageLoader::defaultCache();
    cache->setObject(solidImage(), "http://127.0.0.1/a.png");
    cache->setObject(solidImage(), "http://127.0.0.1/b.png");
    postMemoryWarning();
    EXPECT_EQ(cache->count(), 0u);
    EXPECT_EQ(AsyncImageLoader().cache(), cache);
}

TEST_F(LoaderTest, ThreadedTheLoaderOwnsRequestersUntilTheirLoadsEnd) {
    test::ImageServer server;
    std::vector<std::weak_ptr<Requester>> requesters;
    for (int index = 0; index < 60; ++index) {
        // The loader owns each requester until its load ends.
        auto requester = std::make_shared<Requester>();
        requesters.push_back(requester);
        load(server.url("/png/" + std::to_string(index)), requester);
    }
    // A worker may drop its last copy of a finished connection just after the main thread took
    // the load off the list, so the requesters go soon after, not at that very moment.
    const auto allReleased = [&] {
        return std::all_of(requesters.begin(), requesters.end(),
                           [](const auto& requester) { return requester.expired(); });
    };
    EXPECT_TRUE(runUntil([&] { return loader().connections().empty() && allReleased(); }));
}

}  // namespace
}  // namespace ov
