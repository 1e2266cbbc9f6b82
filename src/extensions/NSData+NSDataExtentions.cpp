#include "orvane/extensions/NSData+NSDataExtentions.h"
#include "orvane/platform/text/Base64.h"

namespace ov::NSData_NSDataExtentions {

String base64String(const Data& data) {
    return base64Encoded(data);
}

}  // namespace ov::NSData_NSDataExtentions
