#include "orvane/platform/files/PropertyList.h"

#include <cstdio>

#include "orvane/platform/files/FileManager.h"
#include "platform/files/BinaryPropertyListFormat.h"
#include "platform/files/BinaryPropertyListReader.h"
#include "platform/files/BinaryPropertyListWriter.h"
#include "platform/files/PropertyListError.h"
#include "platform/files/XmlPropertyListReader.h"
#include "platform/files/XmlPropertyListWriter.h"

namespace ov {

Result<Value> PropertyListSerialization::propertyListWithData(const Data& data) {
    if (data.isEmpty()) return plist::readError("empty data");
    if (data.view().starts_with(plist::binary::kMagic))
        return plist::readBinaryPropertyList(data.span());
    return plist::readXmlPropertyList(data.view());
}

Result<Data> PropertyListSerialization::dataWithPropertyList(const Value& value,
                                                             PropertyListFormat format) {
    if (format == PropertyListFormat::Binary) return plist::writeBinaryPropertyList(value);
    return plist::writeXmlPropertyList(value);
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
