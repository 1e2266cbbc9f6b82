#pragma once
// What the image loader's tests share: a requester that records its callbacks, actions that
// reach it, and a fixture that leaves the shared loader and its cache empty around each test.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "orvane/media/AsyncImageLoader.h"
#include "orvane/platform/threads/RunLoop.h"
#include "support/ImageServer.h"

namespace ov::test {

struct Requester {
    struct Loaded {
        std::shared_ptr<Image> image;
        std::optional<URL> url;
    };
    struct Failed {
        Error error;
        std::optional<URL> url;
    };
    std::vector<Loaded> loaded;
    std::vector<Failed> failed;
};

inline AsyncImageSuccess loadedAction(const std::string& selector = "loaded:") {
    return {selector,
            [](void* target, const std::shared_ptr<Image>& image, const std::optional<URL>& url) {
                static_cast<Requester*>(target)->loaded.push_back({image, url});
            }};
}

inline AsyncImageFailure failedAction() {
    return {"failed:", [](void* target, const Error& error, const std::optional<URL>& url) {
                static_cast<Requester*>(target)->failed.push_back({error, url});
            }};
}

class LoaderTest : public ::testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

    static AsyncImageLoader& loader() { return AsyncImageLoader::sharedLoader(); }

    // Until `done` holds; the loads run on real threads, so this waits in real time.
    static bool runUntil(const std::function<bool()>& done) {
        return RunLoop::main().runUntil(done, 10.0);
    }

    void load(const std::optional<URL>& url, const std::shared_ptr<Requester>& requester,
              const std::string& selector = "loaded:") {
        loader().loadImageWithURL(url, requester, loadedAction(selector), failedAction());
    }

  private:
    static void reset() {
        loader().cancelLoadingURL(std::nullopt);
        loader().setConcurrentLoads(4);
        loader().setLoadingTimeout(60.0);
        AsyncImageLoader::defaultCache()->removeAllObjects();
        RunLoop::main().runPending();
    }
};

}  // namespace ov::test
