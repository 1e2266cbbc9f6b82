#pragma once
// A decoded, immutable bitmap (the platform's UIImage). PNG, JPEG and GIF (its first frame)
// are read; a JPEG's orientation tag is applied, so pixels are always upright.
//
//   ov::Image::setScreenScale(3);
//   auto icon = ov::Image::imageNamed("icon");  // icon@3x.png if the bundle has it
//   icon->width();        // points: pixel width / scale
//   icon->rgbaAt(0, 0);   // straight (not premultiplied) colour of the top-left pixel
//
// Pixels are kept in Cairo's ARGB32 layout, so drawing code can wrap them without copying:
// each pixel is a native-endian 32-bit word 0xAARRGGBB whose colour is premultiplied by its
// alpha; rows are stride() bytes apart, the top row first. The buffer is shared between
// copies and never changes.
//
// An orientation says how the stored pixels are to be turned to show upright (the platform's
// imageWithCGImage:scale:orientation:); the size in points is of the upright picture, so the
// quarter turns swap width and height. Drawing code draws the pixels as stored.
//
// Images go into keyed archives as their pixels, size and scale, and come back equal.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/values/ArchivableObject.h"
#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Object.h"
#include "orvane/platform/values/String.h"

namespace ov {

// The platform's values.
enum UIImageOrientation : int {
    UIImageOrientationUp = 0,
    UIImageOrientationDown = 1,
    UIImageOrientationLeft = 2,
    UIImageOrientationRight = 3,
    UIImageOrientationUpMirrored = 4,
    UIImageOrientationDownMirrored = 5,
    UIImageOrientationLeftMirrored = 6,
    UIImageOrientationRightMirrored = 7,
};

class Image final : public ArchivableObject {
    struct PrivateTag {};

  public:
    using Pixels = std::shared_ptr<const std::vector<uint8_t>>;
    // How an image view draws it: as it is, or as a mask filled with the tint colour.
    enum class RenderingMode { Automatic, AlwaysOriginal, AlwaysTemplate };

    Image(PrivateTag, int pixelWidth, int pixelHeight, Pixels pixels, double scale);

    // Nullptr for data that is not a whole PNG, JPEG or GIF image.
    static std::shared_ptr<Image> imageWithData(const Data& data, double scale = 1.0);
    // The same, decoding while holding `decodeLock` (turning the result into the layout below
    // comes after), so that callers sharing the lock decode one at a time.
    static std::shared_ptr<Image> imageWithData(const Data& data, double scale,
                                                std::mutex& decodeLock);
    // The scale comes from an "@2x" or "@3x" suffix of the file name (1 without one).
    static std::shared_ptr<Image> imageWithContentsOfFile(const String& path);
    // `name` with or without its extension (png, then jpg, jpeg, gif are tried). The variant
    // for screenScale() is preferred, then larger ones, then smaller ones. Searches the main
    // bundle when `bundle` is nullptr.
    static std::shared_ptr<Image> imageNamed(const String& name,
                                             const std::shared_ptr<Bundle>& bundle = nullptr);
    // Wraps pixels already in the layout above (stride = 4 * pixelWidth). Nullptr when the
    // buffer does not hold exactly that many bytes or a size is not positive.
    static std::shared_ptr<Image> imageWithARGB32(int pixelWidth, int pixelHeight, Pixels pixels,
                                                  double scale = 1.0);

    // 1, 2 or 3 (others are rounded into that range); 2 until set. Thread-safe.
    static double screenScale();
    static void setScreenScale(double scale);

    // Points, of the upright picture.
    double width() const { return (isQuarterTurned() ? m_pixelHeight : m_pixelWidth) / m_scale; }
    double height() const { return (isQuarterTurned() ? m_pixelWidth : m_pixelHeight) / m_scale; }
    double scale() const { return m_scale; }

    int pixelWidth() const { return m_pixelWidth; }
    int pixelHeight() const { return m_pixelHeight; }
    int stride() const { return m_pixelWidth * 4; }
    const Pixels& pixels() const { return m_pixels; }

    RenderingMode renderingMode() const { return m_renderingMode; }
    // The same pixels (shared) with another rendering mode.
    std::shared_ptr<Image> imageWithRenderingMode(RenderingMode mode) const;

    // UIImageOrientationUp unless made with another.
    UIImageOrientation imageOrientation() const { return m_orientation; }
    // The same pixels (shared) to be shown turned by `orientation`.
    std::shared_ptr<Image> imageWithOrientation(UIImageOrientation orientation) const;

    // Pixel coordinates; outside the image answers transparent black.
    uint32_t argb32At(int x, int y) const;              // premultiplied
    std::array<uint8_t, 4> rgbaAt(int x, int y) const;  // red, green, blue, alpha, straight

    String className() const override { return "UIImage"; }
    void encodeWithCoder(KeyedArchiver& coder) const override;
    // An archive whose pixels do not fit its size leaves the image empty (0 by 0).
    void initWithCoder(KeyedUnarchiver& coder) override;
    // "<UIImage: 0x...>, {width, height}" in points.
    String description() const override;

  private:
    bool isQuarterTurned() const;

    int m_pixelWidth;
    int m_pixelHeight;
    Pixels m_pixels;
    double m_scale;
    RenderingMode m_renderingMode = RenderingMode::Automatic;
    UIImageOrientation m_orientation = UIImageOrientationUp;
};

}  // namespace ov
