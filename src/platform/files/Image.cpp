#include "orvane/platform/files/Image.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <iterator>

#include "orvane/platform/files/KeyedArchiver.h"
#include "orvane/platform/files/KeyedUnarchiver.h"
#include "orvane/platform/values/Format.h"

namespace ov {

namespace {

std::atomic<double> g_screenScale{2.0};

[[maybe_unused]] const bool kArchivable = ArchivableObject::registerClass("UIImage", [] {
    return Image::imageWithARGB32(1, 1, std::make_shared<const std::vector<uint8_t>>(4));
});

const char* loaderType(const Data& data) {
    const std::string_view bytes = data.view();
    if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return "png";
    if (bytes.starts_with("\xFF\xD8\xFF")) return "jpeg";
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return "gif";
    return nullptr;
}

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using LoaderHandle = std::unique_ptr<GdkPixbufLoader, ObjectUnref>;
using PixbufHandle = std::unique_ptr<GdkPixbuf, ObjectUnref>;

void noteRowsDecoded(GdkPixbufLoader*, gint, gint y, gint, gint height, gpointer rowsDecoded) {
    int& rows = *static_cast<int*>(rowsDecoded);
    rows = std::max(rows, y + height);
}

// Only the formats we promise are handed to gdk-pixbuf: its other loaders are not meant for
// untrusted bytes. A file cut short still gives gdk-pixbuf a picture, partly blank; rows that
// were never decoded tell it apart.
PixbufHandle decode(const Data& data) {
    const char* type = loaderType(data);
    if (!type) return nullptr;
    int rowsDecoded = 0;  // outlives the loader that writes it
    LoaderHandle loader(gdk_pixbuf_loader_new_with_type(type, nullptr));
    if (!loader) return nullptr;
    g_signal_connect(loader.get(), "area-updated", G_CALLBACK(noteRowsDecoded), &rowsDecoded);
    GError* error = nullptr;
    const bool written = gdk_pixbuf_loader_write(loader.get(), data.bytes(), data.length(), &error);
    g_clear_error(&error);
    // Closing is required even after a failed write.
    const bool closed = gdk_pixbuf_loader_close(loader.get(), &error);
    g_clear_error(&error);
    GdkPixbuf* decoded = gdk_pixbuf_loader_get_pixbuf(loader.get());
    if (!written || !closed || !decoded || rowsDecoded < gdk_pixbuf_get_height(decoded)) {
        return nullptr;
    }
    return PixbufHandle(gdk_pixbuf_apply_embedded_orientation(decoded));
}

// round(colour * alpha / 255) without a division: this loop is most of an image's decode time.
uint32_t premultiply(uint32_t colour, uint32_t alpha) {
    const uint32_t product = colour * alpha + 128;
    return (product + (product >> 8)) >> 8;
}

uint32_t opaqueWord(const guint8* pixel) {
    return 0xFF000000u | uint32_t{pixel[0]} << 16 | uint32_t{pixel[1]} << 8 | pixel[2];
}

uint32_t translucentWord(const guint8* pixel) {
    const uint32_t alpha = pixel[3];
    return alpha << 24 | premultiply(pixel[0], alpha) << 16 | premultiply(pixel[1], alpha) << 8 |
           premultiply(pixel[2], alpha);
}

template <int Channels, uint32_t (*Word)(const guint8*)>
void convertRows(const guint8* source, int rowstride, int width, int height, uint32_t* target) {
    for (int y = 0; y < height; ++y) {
        const guint8* pixel = source + static_cast<size_t>(y) * rowstride;
        for (int x = 0; x < width; ++x, pixel += Channels)
            *target++ = Word(pixel);
    }
}

Image::Pixels toARGB32(const GdkPixbuf* pixbuf) {
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int rowstride = gdk_pixbuf_get_rowstride(pixbuf);
    const guint8* source = gdk_pixbuf_read_pixels(pixbuf);
    auto pixels = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(width) * height * 4);
    auto* target = reinterpret_cast<uint32_t*>(pixels->data());
    if (gdk_pixbuf_get_has_alpha(pixbuf)) {
        convertRows<4, translucentWord>(source, rowstride, width, height, target);
    } else if (gdk_pixbuf_get_n_channels(pixbuf) == 4) {
        convertRows<4, opaqueWord>(source, rowstride, width, height, target);
    } else {
        convertRows<3, opaqueWord>(source, rowstride, width, height, target);
    }
    return pixels;
}

double scaleOfFileName(const std::string& path) {
    std::string stem = path.substr(path.find_last_of('/') + 1);
    stem = stem.substr(0, stem.find_last_of('.'));
    if (stem.ends_with("@3x")) return 3;
    if (stem.ends_with("@2x")) return 2;
    return 1;
}

std::vector<int> scalesToTry() {
    const int preferred = static_cast<int>(Image::screenScale());
    std::vector<int> scales{preferred};
    for (int larger = preferred + 1; larger <= 3; ++larger)
        scales.push_back(larger);
    for (int smaller = preferred - 1; smaller >= 1; --smaller)
        scales.push_back(smaller);
    return scales;
}

}  // namespace

Image::Image(PrivateTag, int pixelWidth, int pixelHeight, Pixels pixels, double scale)
    : m_pixelWidth(pixelWidth),
      m_pixelHeight(pixelHeight),
      m_pixels(std::move(pixels)),
      m_scale(scale) {}

std::shared_ptr<Image> Image::imageWithData(const Data& data, double scale) {
    std::mutex unshared;
    return imageWithData(data, scale, unshared);
}

std::shared_ptr<Image> Image::imageWithData(const Data& data, double scale,
                                            std::mutex& decodeLock) {
    PixbufHandle pixbuf;
    {
        std::lock_guard lock(decodeLock);
        pixbuf = decode(data);
    }
    if (!pixbuf || gdk_pixbuf_get_bits_per_sample(pixbuf.get()) != 8) return nullptr;
    return imageWithARGB32(gdk_pixbuf_get_width(pixbuf.get()), gdk_pixbuf_get_height(pixbuf.get()),
                           toARGB32(pixbuf.get()), scale);
}

std::shared_ptr<Image> Image::imageWithContentsOfFile(const String& path) {
    const std::string file = path.toUtf8();
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return nullptr;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                               std::istreambuf_iterator<char>());
    return imageWithData(Data(std::move(bytes)), scaleOfFileName(file));
}

std::shared_ptr<Image> Image::imageNamed(const String& name,
                                         const std::shared_ptr<Bundle>& bundle) {
    if (name.isEmpty()) return nullptr;
    const auto searched = bundle ? bundle : Bundle::mainBundle();
    std::string stem = name.toUtf8();
    std::vector<std::string> types{"png", "jpg", "jpeg", "gif"};
    const size_t dot = stem.find_last_of('.');
    if (dot != std::string::npos &&
        std::find(types.begin(), types.end(), stem.substr(dot + 1)) != types.end()) {
        types = {stem.substr(dot + 1)};
        stem.resize(dot);
    }
    const bool scaleNamed = stem.ends_with("@2x") || stem.ends_with("@3x");
    for (int scale : scaleNamed ? std::vector<int>{0} : scalesToTry()) {
        const std::string variant = scale > 1 ? stem + "@" + std::to_string(scale) + "x" : stem;
        for (const auto& type : types) {
            auto path = searched->pathForResource(String(variant), String(type));
            if (!path) continue;
            if (auto image = imageWithContentsOfFile(*path)) return image;
        }
    }
    return nullptr;
}

std::shared_ptr<Image> Image::imageWithARGB32(int pixelWidth, int pixelHeight, Pixels pixels,
                                              double scale) {
    if (pixelWidth <= 0 || pixelHeight <= 0 || !pixels || !(scale > 0)) return nullptr;
    if (pixels->size() != static_cast<size_t>(pixelWidth) * pixelHeight * 4) return nullptr;
    return std::make_shared<Image>(PrivateTag{}, pixelWidth, pixelHeight, std::move(pixels), scale);
}

double Image::screenScale() {
    return g_screenScale.load();
}

void Image::setScreenScale(double scale) {
    g_screenScale.store(std::clamp(std::round(std::isnan(scale) ? 2.0 : scale), 1.0, 3.0));
}

std::shared_ptr<Image> Image::imageWithRenderingMode(RenderingMode mode) const {
    auto copy = std::make_shared<Image>(*this);
    copy->m_renderingMode = mode;
    return copy;
}

std::shared_ptr<Image> Image::imageWithOrientation(UIImageOrientation orientation) const {
    auto copy = std::make_shared<Image>(*this);
    copy->m_orientation = orientation;
    return copy;
}

bool Image::isQuarterTurned() const {
    switch (m_orientation) {
        case UIImageOrientationLeft:
        case UIImageOrientationRight:
        case UIImageOrientationLeftMirrored:
        case UIImageOrientationRightMirrored:
            return true;
        default:
            return false;
    }
}

uint32_t Image::argb32At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_pixelWidth || y >= m_pixelHeight) return 0;
    const auto* words = reinterpret_cast<const uint32_t*>(m_pixels->data());
    return words[static_cast<size_t>(y) * m_pixelWidth + x];
}

std::array<uint8_t, 4> Image::rgbaAt(int x, int y) const {
    const uint32_t word = argb32At(x, y);
    const uint8_t alpha = word >> 24;
    if (alpha == 0) return {0, 0, 0, 0};
    const auto straight = [alpha](uint32_t colour) {
        return static_cast<uint8_t>(std::min<uint32_t>(255, (colour * 255 + alpha / 2) / alpha));
    };
    return {straight(word >> 16 & 0xFF), straight(word >> 8 & 0xFF), straight(word & 0xFF), alpha};
}

String Image::description() const {
    return stringWithFormat("%@, {%g, %g}", Object::description(), width(), height());
}

}  // namespace ov

namespace ov {

void Image::encodeWithCoder(KeyedArchiver& coder) const {
    coder.encodeInteger(m_pixelWidth, "width");
    coder.encodeInteger(m_pixelHeight, "height");
    coder.encodeDouble(m_scale, "scale");
    coder.encodeObject(Data(*m_pixels), "pixels");
}

void Image::initWithCoder(KeyedUnarchiver& coder) {
    const Value pixels = coder.decodeObjectForKey("pixels");
    const Data* bytes = pixels.ifData();
    const auto restored = imageWithARGB32(
        static_cast<int>(std::clamp(coder.decodeIntegerForKey("width"), 0LL, 1LL << 20)),
        static_cast<int>(std::clamp(coder.decodeIntegerForKey("height"), 0LL, 1LL << 20)),
        std::make_shared<const std::vector<uint8_t>>(
            bytes ? bytes->bytes() : nullptr, bytes ? bytes->bytes() + bytes->length() : nullptr),
        coder.decodeDoubleForKey("scale"));
    if (restored) {
        *this = *restored;
    } else {
        *this = Image(PrivateTag{}, 0, 0, std::make_shared<const std::vector<uint8_t>>(), 1.0);
    }
}

}  // namespace ov
