#pragma once
// The names of the keyed-archive layout, shared by the archiver and the unarchiver.

namespace ov::archive {

inline constexpr const char* kArchiverKey = "$archiver";
inline constexpr const char* kArchiverName = "NSKeyedArchiver";
inline constexpr long long kArchiveVersion = 100000;
inline constexpr const char* kVersionKey = "$version";
inline constexpr const char* kTopKey = "$top";
inline constexpr const char* kObjectsKey = "$objects";
inline constexpr const char* kRootKey = "root";
inline constexpr const char* kNullObject = "$null";
inline constexpr const char* kClassKey = "$class";
inline constexpr const char* kUidKey = "CF$UID";
inline constexpr const char* kClassNameKey = "$classname";
inline constexpr const char* kClassesKey = "$classes";

inline constexpr const char* kObjectsField = "NS.objects";
inline constexpr const char* kKeysField = "NS.keys";
inline constexpr const char* kTimeField = "NS.time";
inline constexpr const char* kStringField = "NS.string";
inline constexpr const char* kDataField = "NS.data";

inline constexpr const char* kArrayClass = "NSArray";
inline constexpr const char* kMutableArrayClass = "NSMutableArray";
inline constexpr const char* kDictionaryClass = "NSDictionary";
inline constexpr const char* kMutableDictionaryClass = "NSMutableDictionary";
inline constexpr const char* kDateClass = "NSDate";
inline constexpr const char* kNullClass = "NSNull";
inline constexpr const char* kDecimalClass = "NSDecimalNumber";
inline constexpr const char* kNumberClass = "NSNumber";
inline constexpr const char* kStringClass = "NSString";
inline constexpr const char* kMutableStringClass = "NSMutableString";
inline constexpr const char* kDataClass = "NSData";
inline constexpr const char* kMutableDataClass = "NSMutableData";
inline constexpr const char* kObjectClass = "NSObject";

}  // namespace ov::archive
