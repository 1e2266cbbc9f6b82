#include "orvane/json/NSString+SBJSON.h"
#include "orvane/json/SBJsonParser.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::NSString_NSString_SBJSON {

Value JSONValue(const String& text) {
    SBJsonParser parser;
    Value value = parser.objectWithString(text);
    if (value.isAbsent()) {
        systemLog("-JSONValue failed. Error trace is: %@", describeErrorTrace(parser.errorTrace()));
    }
    return value;
}

Value JSONFragmentValue(const String& text) {
    SBJsonParser parser;
    Value value = parser.fragmentWithString(text);
    if (value.isAbsent()) {
        systemLog("-JSONFragmentValue failed. Error trace is: %@",
                  describeErrorTrace(parser.errorTrace()));
    }
    return value;
}

}  // namespace ov::NSString_NSString_SBJSON
