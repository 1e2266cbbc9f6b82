#include "orvane/platform/files/PropertyList.h"

#include <cstdio>

#include "orvane/platform/files/FileManager.h"
#include "platform/files/PlistNode.h"

namespace ov {

Result<Value> PropertyListSerialization::propertyListWithData(const Data& data) {
    auto node = plist::parse(data);
    if (!node) return node.error();
    return plist::valueFromNode(node.value().get());
}

Result<Data> PropertyListSerialization::dataWithPropertyList(const Value& value,
                                                             PropertyListFormat format) {
    auto node = plist::nodeFromValue(value);
    if (!node) return node.error();
    return plist::serialize(node.value().get(), format);
}

std::optional<Dictionary> dictionaryWithContentsOfFile(const String& path) {
    const auto contents = FileManager::defaultManager().contentsAtPath(path);
    if (!contents) return std::nullopt;
    auto value = PropertyListSerialization::propertyListWithData(*contents);
    if (!value || !value.value().isDictionary()) return std::nullopt;
    return value.value().asDictionary();
}

bool writeDictionaryToFile(const Dictionary& dictionary, const String& path, bool atomically) {
    const auto data = PropertyListSerialization::dataWithPropertyList(dictionary);
    if (!data) return false;
    auto& files = FileManager::defaultManager();
    if (atomically) return files.writeAtomically(path, data.value());
    FILE* file = std::fopen(path.toUtf8().c_str(), "wb");
    if (!file) return false;
    const bool written =
        std::fwrite(data.value().bytes(), 1, data.value().length(), file) == data.value().length();
    return (std::fclose(file) == 0) && written;
}

}  // namespace ov
