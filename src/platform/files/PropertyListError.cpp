#include "platform/files/PropertyListError.h"

#include "orvane/platform/files/PropertyList.h"

namespace ov::plist {
namespace {

Error error(long long code, const std::string& reason) {
    return Error(NSCocoaErrorDomain, code, {{NSDebugDescriptionErrorKey, String(reason)}});
}

}  // namespace

Error readError(const std::string& reason) {
    return error(PropertyListSerialization::kReadCorruptError, reason);
}

Error writeError(const std::string& reason) {
    return error(PropertyListSerialization::kWriteInvalidError, reason);
}

Error unwritableError(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Absent:
            return writeError("the absent value has no property-list form");
        case Value::Kind::Null:
            return writeError("the null marker has no property-list form");
        case Value::Kind::Object:
            return writeError("Invalid type in property list write (" +
                              (*value.ifObject())->className().toUtf8() + ")");
        default:
            return writeError("unknown value");
    }
}

}  // namespace ov::plist
