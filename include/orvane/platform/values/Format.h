#pragma once
// printf-style formatting with the platform's "%@" (any Value's description), so that every
// format string of the toolkit is written in the code exactly as the platform would take it.
//
//   ov::stringWithFormat("%@=%@&", key, value);
//   ov::stringWithFormat("%02X", byte);
//
// Supported: %@ %d %i %u %ld %lu %lld %llu %zd %zu %f %e %g %x %X %o %c %s %p %%, with flags
// (- + 0 space #), widths, precisions and "*". An argument of another kind is converted as
// sensibly as possible (a number Value under %d prints its integer value, an integer under %@
// prints in decimal); a missing argument prints as "(null)" under %@ and as 0 otherwise.
// Nothing here is undefined behaviour, whatever the format.

#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <variant>

#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/Value.h"

namespace ov {

using FormatArgument = std::variant<long long, unsigned long long, double, Value>;

template <class T>
FormatArgument toFormatArgument(const T& argument) {
    if constexpr (std::is_same_v<T, bool>) {
        return static_cast<long long>(argument);
    } else if constexpr (std::is_enum_v<T>) {
        return static_cast<long long>(argument);
    } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
        return static_cast<long long>(argument);
    } else if constexpr (std::is_integral_v<T>) {
        return static_cast<unsigned long long>(argument);
    } else if constexpr (std::is_floating_point_v<T>) {
        return static_cast<double>(argument);
    } else {
        return Value(argument);
    }
}

String stringWithFormatArguments(std::string_view format,
                                 std::initializer_list<FormatArgument> arguments);

template <class... Arguments>
String stringWithFormat(std::string_view format, const Arguments&... arguments) {
    return stringWithFormatArguments(format, {toFormatArgument(arguments)...});
}

}  // namespace ov
