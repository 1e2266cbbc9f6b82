#include "orvane/platform/text/Digest.h"

#include <openssl/evp.h>

#include <memory>

namespace ov {

Result<Digest::MD5> Digest::md5(std::span<const uint8_t> bytes) {
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          &EVP_MD_CTX_free);
    MD5 digest{};
    unsigned int length = 0;
    const bool ok = context && EVP_DigestInit_ex(context.get(), EVP_md5(), nullptr) == 1 &&
                    EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) == 1 &&
                    EVP_DigestFinal_ex(context.get(), digest.data(), &length) == 1 &&
                    length == digest.size();
    if (!ok) {
        return Error(NSCocoaErrorDomain, 0,
                     Dictionary{{NSLocalizedDescriptionKey, "The MD5 digest is unavailable."}});
    }
    return digest;
}

String Digest::hexString(std::span<const uint8_t> bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::u16string out;
    out.reserve(bytes.size() * 2);
    for (uint8_t byte : bytes) {
        out += char16_t(kHex[byte >> 4]);
        out += char16_t(kHex[byte & 0xF]);
    }
    return String(std::move(out));
}

}  // namespace ov
