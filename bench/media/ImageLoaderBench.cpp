// 200 distinct 256 x 256 images (half PNG, half JPEG) from a loopback server: the shared image
// loader (transfers on the session's threads, decoding off the main thread) against a plain
// single-threaded loop of libcurl and gdk-pixbuf doing the same fetch-and-decode. Each side
// reports the process's peak resident memory once it has run, the loader's side first.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <sys/resource.h>

#include <memory>
#include <string>
#include <vector>

#include "LoopbackService.h"
#include "orvane/media/AsyncImageLoader.h"
#include "orvane/platform/threads/RunLoop.h"

namespace {

constexpr int kImageCount = 200;
constexpr int kSide = 256;

// A pattern that differs per image, so no two files are alike.
std::string encodedImage(int index) {
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, kSide, kSide);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            guchar* pixel = pixels + y * stride + x * 3;
            pixel[0] = static_cast<guchar>(x + index);
            pixel[1] = static_cast<guchar>(y * index);
            pixel[2] = static_cast<guchar>((x ^ y) + 3 * index);
        }
    }
    gchar* buffer = nullptr;
    gsize length = 0;
    gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &length, index % 2 ? "jpeg" : "png", nullptr,
                              nullptr);
    std::string bytes(buffer, length);
    g_free(buffer);
    g_object_unref(pixbuf);
    return bytes;
}

std::vector<std::string> encodedImages() {
    std::vector<std::string> images;
    for (int index = 0; index < kImageCount; ++index)
        images.push_back(encodedImage(index));
    return images;
}

class ImageService {
  public:
    std::string url(int index) const {
        return m_service.base() + "/img/" + std::to_string(index) + (index % 2 ? ".jpg" : ".png");
    }

  private:
    const std::vector<std::string> m_images = encodedImages();
    // Made after the images, which its handler reads.
    ov::bench::LoopbackService m_service{[this](httplib::Server& server) {
        server.Get(R"(/img/(\d+)\.(png|jpg))",
                   [this](const httplib::Request& request, httplib::Response& response) {
                       const size_t index = std::stoul(request.matches[1]);
                       response.set_content(m_images.at(index), "application/octet-stream");
                   });
    }};
};

ImageService& service() {
    static ImageService instance;
    return instance;
}

void reportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Counter {
    int done = 0;
};

// One per image: requests of one requester with one action supersede each other.
struct Requester {
    std::shared_ptr<Counter> counter;
};

void imageLoader_orvane(benchmark::State& state) {
    std::vector<ov::URL> urls;
    for (int index = 0; index < kImageCount; ++index) {
        urls.push_back(*ov::URL::withString(ov::String(service().url(index))));
    }
    auto& loader = ov::AsyncImageLoader::sharedLoader();
    const ov::AsyncImageSuccess counted{
        "counted:",
        [](void* target, const std::shared_ptr<ov::Image>& image, const std::optional<ov::URL>&) {
            if (image) ++static_cast<Requester*>(target)->counter->done;
        }};
    for (auto _ : state) {
        ov::AsyncImageLoader::defaultCache()->removeAllObjects();
        auto counter = std::make_shared<Counter>();
        for (const auto& url : urls) {
            loader.loadImageWithURL(url, std::make_shared<Requester>(Requester{counter}), counted);
        }
        ov::RunLoop::main().runUntil([&] { return counter->done == kImageCount; }, 60.0);
        if (counter->done != kImageCount) state.SkipWithError("not every image loaded");
    }
    ov::AsyncImageLoader::defaultCache()->removeAllObjects();
    state.SetItemsProcessed(state.iterations() * kImageCount);
    reportPeakMemory(state);
}

size_t collect(char* bytes, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(bytes, size * count);
    return size * count;
}

// Decoded and upright, as the loader's images are.
GdkPixbuf* decode(const std::string& bytes) {
    GdkPixbufLoader* decoder = gdk_pixbuf_loader_new();
    gdk_pixbuf_loader_write(decoder, reinterpret_cast<const guchar*>(bytes.data()), bytes.size(),
                            nullptr);
    gdk_pixbuf_loader_close(decoder, nullptr);
    GdkPixbuf* upright = nullptr;
    if (GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(decoder)) {
        upright = gdk_pixbuf_apply_embedded_orientation(pixbuf);
    }
    g_object_unref(decoder);
    return upright;
}

void imageLoader_peer(benchmark::State& state) {
    std::vector<std::string> urls;
    for (int index = 0; index < kImageCount; ++index)
        urls.push_back(service().url(index));
    CURL* curl = curl_easy_init();
    std::string body;
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    for (auto _ : state) {
        int decoded = 0;
        for (const auto& url : urls) {
            body.clear();
            curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
            curl_easy_perform(curl);
            if (GdkPixbuf* image = decode(body)) {
                ++decoded;
                g_object_unref(image);
            }
        }
        if (decoded != kImageCount) state.SkipWithError("not every image decoded");
    }
    curl_easy_cleanup(curl);
    state.SetItemsProcessed(state.iterations() * kImageCount);
    reportPeakMemory(state);
}

}  // namespace

BENCHMARK(imageLoader_orvane)->Name("imageLoader_200_images/orvane")->MinTime(2.0)->UseRealTime();
BENCHMARK(imageLoader_peer)
    ->Name("imageLoader_200_images/libcurl+gdk-pixbuf")
    ->MinTime(2.0)
    ->UseRealTime();
