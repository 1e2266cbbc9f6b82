#include "orvane/extensions/NSString+URLEncoding.h"

namespace ov::NSString_URLEncoding {

std::optional<String> urlEncodeUsingEncoding(const std::optional<String>& receiver,
                                             StringEncoding encoding) {
    if (!receiver) return std::nullopt;
    static const CharacterSet kLiteral = CharacterSet::withCharactersInString(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~");
    return percentEncoded(*receiver, kLiteral, encoding);
}

}  // namespace ov::NSString_URLEncoding
