#include "orvane/json/NSObject+SBJSON.h"
#include "orvane/json/SBJsonWriter.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::NSObject_NSObject_SBJSON {

std::optional<String> JSONRepresentation(const Value& value) {
    SBJsonWriter writer;
    auto text = writer.stringWithObject(value);
    if (!text) {
        systemLog("-JSONRepresentation failed. Error trace is: %@",
                  describeErrorTrace(writer.errorTrace()));
    }
    return text;
}

std::optional<String> JSONFragment(const Value& value) {
    SBJsonWriter writer;
    auto text = writer.stringWithFragment(value);
    if (!text) {
        systemLog("-JSONFragment failed. Error trace is: %@",
                  describeErrorTrace(writer.errorTrace()));
    }
    return text;
}

}  // namespace ov::NSObject_NSObject_SBJSON
