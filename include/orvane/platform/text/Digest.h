#pragma once
// Message digests over bytes (backed by OpenSSL).
//
//   auto digest = ov::Digest::md5(ov::Data::fromString("abc"));
//   if (digest) ov::Digest::hexString(digest.value());  // "900150983cd24fb0d6963f7d28e17f72"

#include <array>
#include <cstdint>
#include <span>

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/String.h"

namespace ov {

class Digest {
  public:
    using MD5 = std::array<uint8_t, 16>;

    static Result<MD5> md5(std::span<const uint8_t> bytes);
    static Result<MD5> md5(const Data& data) { return md5(data.span()); }

    // Two lower-case hexadecimal digits per byte.
    static String hexString(std::span<const uint8_t> bytes);
};

}  // namespace ov
