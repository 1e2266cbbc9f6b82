#include "orvane/extensions/NSMutableString+NSMutableString.h"

namespace ov::NSMutableString_NSMutableString {

bool deleteLastCharacter(String& text) {
    if (text.isEmpty()) return false;
    text = text.substringToIndex(text.length() - 1);
    return true;
}

}  // namespace ov::NSMutableString_NSMutableString
