#include "ServiceOptions.h"

#include "orvane/location/GoogleAPI.h"

namespace orvane::cli {

bool takeServiceOption(std::string_view option, std::string_view value) {
    const ov::String base(value);
    if (option == "--api") {
        ov::GoogleAPI::setApiBase(base);
    } else if (option == "--site") {
        ov::GoogleAPI::setSiteBase(base);
    } else if (option == "--translate") {
        ov::GoogleAPI::setTranslateBase(base);
    } else {
        return false;
    }
    return true;
}

}  // namespace orvane::cli
