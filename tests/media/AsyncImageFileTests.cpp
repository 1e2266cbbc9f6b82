#include <gtest/gtest.h>

#include "LoaderFixture.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

using test::LoaderTest;
using test::Requester;

URL fileURL(const String& path) {
    return *URL::withString("file://" + path.toUtf8());
}

class FileLoadTest : public LoaderTest {
  protected:
    void SetUp() override {
        LoaderTest::SetUp();
        m_bundle.write("icons/dot.png", test::solidPng(3, 3, 0x00FF00FF));
        Bundle::setMainBundlePath(m_bundle.path());
        m_outside.write("photo@2x.png", test::solidPng(4, 6, 0x0000FFFF));
    }
    void TearDown() override {
        Bundle::setMainBundlePath("");
        LoaderTest::TearDown();
    }

    std::shared_ptr<Requester> loadAndWait(const URL& url) {
        auto requester = std::make_shared<Requester>();
        load(url, requester);
        EXPECT_TRUE(
            runUntil([&] { return !requester->loaded.empty() || !requester->failed.empty(); }));
        return requester;
    }

    test::TestBundle m_bundle;
    test::TestBundle m_outside;
};

TEST_F(FileLoadTest, AFileInsideTheBundleResourcesComesFromTheBundleAndIsCached) {
    const URL url = fileURL(m_bundle.path() + "/icons/dot.png");
    auto connection = std::make_shared<AsyncImageConnection>(url, AsyncImageLoader::defaultCache(),
                                                             nullptr, std::nullopt, std::nullopt);
    const auto image = connection->cachedImage();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 3);
    EXPECT_EQ(AsyncImageLoader::defaultCache()->objectForKey(url.absoluteString()), image);

    AsyncImageLoader::defaultCache()->removeAllObjects();
    const auto requester = loadAndWait(url);
    ASSERT_EQ(requester->loaded.size(), 1u);
    EXPECT_EQ(requester->loaded[0].image->rgbaAt(1, 1), (std::array<uint8_t, 4>{0, 255, 0, 255}));
}

TEST_F(FileLoadTest, ThreadedAFileOutsideIsReadAndDecodedWithTheScaleOfItsName) {
    const URL url = fileURL(m_outside.path() + "/photo@2x.png");
    EXPECT_EQ(std::make_shared<AsyncImageConnection>(url, AsyncImageLoader::defaultCache(), nullptr,
                                                     std::nullopt, std::nullopt)
                  ->cachedImage(),
              nullptr);
    const auto requester = loadAndWait(url);
    ASSERT_EQ(requester->loaded.size(), 1u);
    EXPECT_EQ(requester->loaded[0].image->scale(), 2.0);
    EXPECT_EQ(requester->loaded[0].image->height(), 3.0);
}

TEST_F(FileLoadTest, ThreadedAMissingFileFailsWithTheReadError) {
    const auto requester = loadAndWait(fileURL(m_outside.path() + "/absent.png"));
    ASSERT_EQ(requester->failed.size(), 1u);
    EXPECT_EQ(requester->failed[0].error.domain(), NSCocoaErrorDomain);
    EXPECT_EQ(requester->failed[0].error.code(), 260);
}

}  // namespace
}  // namespace ov
