#include "orvane/location/GoogleAPI.h"

#include <cstdlib>
#include <mutex>

#include "orvane/json/SBJSON.h"
#include "orvane/platform/network/JSONSerialization.h"
#include "orvane/platform/network/URLConnection.h"
#include "orvane/platform/text/StringEncoding.h"
#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

constexpr const char* kReverseGeocodePath = "/maps/api/geocode/json?latlng=%f,%f&sensor=false";
constexpr const char* kDistanceMatrixPath =
    "/maps/api/distancematrix/json?origins=%@&destinations=%@&mode=driving&language=he-IL&sensor="
    "false";
constexpr const char* kGeocodePath = "/maps/api/geocode/json?sensor=false&address=%@";
constexpr const char* kTranslatePath = "/ajax/services/language/translate?q=%@&v=1.0&langpair=%@";
constexpr const char* kAddressLookupPath = "/maps/api/geocode/json?address=%@";
constexpr const char* kPostalCodePath =
    "/maps/api/geocode/json?address=&components=postal_code:%@&sensor=false";

struct ServiceBases {
    std::mutex mutex;
    String api;
    String site;
    String translate;
};

String withoutTrailingSlash(String base) {
    while (base.hasSuffix("/"))
        base = base.substringToIndex(base.length() - 1);
    return base;
}

String fromEnvironment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return withoutTrailingSlash(value && *value ? String(value) : String(fallback));
}

// Location data goes over https unless a host chooses otherwise.
ServiceBases& bases() {
    static ServiceBases shared{{},
                               fromEnvironment("ORVANE_MAPS_API", "https://maps.googleapis.com"),
                               fromEnvironment("ORVANE_MAPS_SITE", "https://maps.google.com"),
                               fromEnvironment("ORVANE_TRANSLATE", "https://ajax.googleapis.com")};
    return shared;
}

String readBase(String ServiceBases::*which) {
    ServiceBases& shared = bases();
    std::lock_guard lock(shared.mutex);
    return shared.*which;
}

void writeBase(String ServiceBases::*which, const String& base) {
    ServiceBases& shared = bases();
    std::lock_guard lock(shared.mutex);
    shared.*which = withoutTrailingSlash(base);
}

// What the legacy escaping leaves alone: ASCII letters and digits and the URL punctuation, so
// the query separators pass unchanged while spaces, '%', '|', '#' and non-ASCII are escaped.
const CharacterSet& legalURLCharacters() {
    static const CharacterSet legal = CharacterSet::withCharactersInString(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!$&'()*+,-./:;=?@_~");
    return legal;
}

// None when the encoding cannot hold a character of the text.
std::optional<String> escaped(const String& text, StringEncoding encoding = NSUTF8StringEncoding) {
    return percentEncoded(text, legalURLCharacters(), encoding);
}

// UTF-8 escaping cannot fail: unpaired surrogates become U+FFFD.
String escapedUtf8(const String& text) {
    return escaped(text).value_or(String());
}

Value orAbsent(const std::optional<String>& text) {
    return text ? Value(*text) : Value();
}

// The body of a GET as UTF-8 text; none when the address, the transfer or the text fails.
std::optional<String> contentsOfURL(const std::optional<String>& address) {
    if (!address) return std::nullopt;
    const URLLoadResult result =
        URLConnection::sendSynchronousRequest(URLRequest(URL::withString(*address)));
    if (!result.data) return std::nullopt;
    return String::fromUtf8(result.data->view());
}

// Absent for no text or text that is not JSON.
Value parsed(const std::optional<String>& text) {
    if (!text) return {};
    return SBJSON().objectWithString(text);
}

const Value& field(const Value& value, const char* key) {
    const Dictionary* dictionary = value.ifDictionary();
    return dictionary ? dictionary->objectForKey(key) : Value::absent();
}

const Value& firstOf(const Value& value) {
    const Array* array = value.ifArray();
    return array && !array->isEmpty() ? array->objectAtIndex(0) : Value::absent();
}

const Value& lastOf(const Value& value) {
    const Array* array = value.ifArray();
    return array && !array->isEmpty() ? array->objectAtIndex(array->count() - 1) : Value::absent();
}

bool hasStatus(const Value& value, const char* status) {
    return field(value, "status") == Value(status);
}

String reverseGeocodeAddress(float latitude, float longitude) {
    return escapedUtf8(GoogleAPI::apiBase() + stringWithFormat(kReverseGeocodePath,
                                                               static_cast<double>(latitude),
                                                               static_cast<double>(longitude)));
}

// The reverse-geocoding reply's first result, logged; absent unless the status is "OK" and
// there is a result.
const Value& loggedFirstResult(const Value& reply) {
    const Value& results = field(reply, "results");
    const Value& first = firstOf(results);
    if (!hasStatus(reply, "OK") || first.isAbsent()) return Value::absent();
    systemLog("[googleArray objectAtIndex:0]=%@", first);
    systemLog("googleArray: %@", results);
    return first;
}

// Both distance operations: fetch, log, and pick the answer from the first element.
Value distanceAnswer(const String& address, Value (*pick)(const Value& element)) {
    const std::optional<String> body = contentsOfURL(address);
    systemLog("locationString: %@", orAbsent(body));
    const Value reply = parsed(body);
    const Value& rows = field(reply, "rows");
    systemLog("Users: %@", reply);
    systemLog("Users: valueForKey: ROWS: %@", rows);
    systemLog("googleArray: %@", rows);
    const Value& element = firstOf(field(firstOf(rows), "elements"));
    Value answer = String();
    if (hasStatus(reply, "OK") && hasStatus(element, "OK") && !pick(element).isAbsent()) {
        answer = pick(element);
    }
    systemLog("fullAddress: %@", answer);
    return answer;
}

// The postal-code operations' exchange: the parsed reply, or why there is none.
struct ZipReply {
    Value reply;
    std::optional<Error> error;
    // False when the body is not UTF-8.
    bool isText = true;
};

Error failure(const char* domain, long long code, const char* description) {
    return Error(domain, code, Dictionary{{NSLocalizedDescriptionKey, description}});
}

ZipReply fetchZipReply(const String& pathAndQuery) {
    const std::optional<String> address =
        escaped(GoogleAPI::apiBase() + pathAndQuery, NSNEXTSTEPStringEncoding);
    if (!address) {
        return {{},
                failure(NSURLErrorDomain, NSURLErrorBadURL,
                        "The address cannot be written in the NeXTSTEP encoding."),
                true};
    }
    URLLoadResult result =
        URLConnection::sendSynchronousRequest(URLRequest(URL::withString(*address)));
    if (!result.response) return {{}, std::move(result.error), true};
    const std::optional<String> text =
        String::fromUtf8(result.data ? result.data->view() : std::string_view());
    if (!text) return {{}, std::move(result.error), false};
    Value reply = parsed(text);
    if (reply.isAbsent()) {
        return {
            {},
            failure(NSCocoaErrorDomain, JSONSerialization::kErrorCode, "The reply is not JSON."),
            true};
    }
    return {std::move(reply), std::nullopt};
}

}  // namespace

struct GoogleAPI::Shared {
    std::shared_ptr<GoogleAPIDelegate> currentDelegate() const {
        std::lock_guard lock(mutex);
        return delegate;
    }

    // On the main queue, synchronously, with the delegate of that moment.
    template <class Call>
    void tell(const Call& call) const {
        DispatchQueue::main().sync([&] {
            if (const auto current = currentDelegate()) call(*current);
        });
    }

    void tellFailure(const std::optional<Error>& error) const {
        tell([&](GoogleAPIDelegate& delegate) { delegate.googleZipFailedWithError(error); });
    }

    mutable std::mutex mutex;
    std::shared_ptr<GoogleAPIDelegate> delegate;
};

GoogleAPI::GoogleAPI() : m_shared(std::make_shared<Shared>()) {}

String GoogleAPI::apiBase() {
    return readBase(&ServiceBases::api);
}

void GoogleAPI::setApiBase(const String& base) {
    writeBase(&ServiceBases::api, base);
}

String GoogleAPI::siteBase() {
    return readBase(&ServiceBases::site);
}

void GoogleAPI::setSiteBase(const String& base) {
    writeBase(&ServiceBases::site, base);
}

String GoogleAPI::translateBase() {
    return readBase(&ServiceBases::translate);
}

void GoogleAPI::setTranslateBase(const String& base) {
    writeBase(&ServiceBases::translate, base);
}

std::optional<String> GoogleAPI::getAddressFromLat(float Lat, float Lon) {
    const Value reply = parsed(contentsOfURL(reverseGeocodeAddress(Lat, Lon)));
    if (reply.isAbsent()) return std::nullopt;
    const String* formatted = field(loggedFirstResult(reply), "formatted_address").ifString();
    const String answer = formatted ? *formatted : String();
    systemLog("fullAddress: %@", answer);
    return answer;
}

Array GoogleAPI::getAddressArrayFromLat(float Lat, float Lon) {
    const Value reply = parsed(contentsOfURL(reverseGeocodeAddress(Lat, Lon)));
    const Value& first = loggedFirstResult(reply);
    if (first.isAbsent()) return {};
    const Value& components = field(first, "address_components");
    systemLog("googleArray address comm: %@", components);
    systemLog("googleArray address comm: %@", components);
    const Array* list = components.ifArray();
    return list ? *list : Array();
}

Value GoogleAPI::getDistanceFromOrigins(const String& origins, const String& withDestinations) {
    const String address =
        escapedUtf8(apiBase() + stringWithFormat(kDistanceMatrixPath, origins, withDestinations));
    return distanceAnswer(address, [](const Value& element) { return field(element, "duration"); });
}

Value GoogleAPI::getMetterDistanceFromOrigins(const String& origins,
                                              const String& withDestinations) {
    const String address =
        escapedUtf8(apiBase() + stringWithFormat(kDistanceMatrixPath, escapedUtf8(origins),
                                                 escapedUtf8(withDestinations)));
    return distanceAnswer(
        address, [](const Value& element) { return field(field(element, "distance"), "value"); });
}

std::optional<Array> GoogleAPI::geoCodeUsingAddressToLatLong(const std::optional<String>& address) {
    systemLog("address %@", orAbsent(address));
    if (!address || address->isEmpty()) return std::nullopt;
    const String escapedAddress = escapedUtf8(*address);
    const String url = siteBase() + stringWithFormat(kGeocodePath, escapedAddress);
    systemLog("address: %@", escapedAddress);
    systemLog("url: %@", url);
    const std::optional<String> body = contentsOfURL(url);
    if (!body) return std::nullopt;
    const Value reply = parsed(body);
    if (hasStatus(reply, "ZERO_RESULTS")) return std::nullopt;
    const Value& location = field(field(firstOf(field(reply, "results")), "geometry"), "location");
    const Value& latitude = field(location, "lat");
    const Value& longitude = field(location, "lng");
    if (latitude.isAbsent() || longitude.isAbsent()) return std::nullopt;
    systemLog("lat: %@", latitude);
    systemLog("lng: %@", longitude);
    return Array{latitude.description(), longitude.description()};
}

void GoogleAPI::translate(const String& text) {
    systemLog("stringToTranslate=%@", text);
    const String address =
        translateBase() + stringWithFormat(kTranslatePath, escapedUtf8(text), escapedUtf8("en|ja"));
    URLRequest request(URL::withString(address));
    request.setHTTPMethod("POST");
    const URLLoadResult result = URLConnection::sendSynchronousRequest(request);
    if (!result.data || result.data->isEmpty()) return;
    const Result<Value> json = JSONSerialization::JSONObjectWithData(*result.data);
    systemLog("json %@", json ? json.value() : Value());
}

std::shared_ptr<GoogleAPIDelegate> GoogleAPI::delegate() const {
    return m_shared->currentDelegate();
}

void GoogleAPI::setDelegate(std::shared_ptr<GoogleAPIDelegate> delegate) {
    std::lock_guard lock(m_shared->mutex);
    m_shared->delegate = std::move(delegate);
}

void GoogleAPI::zipCodeFromAddress(const String& address) {
    DispatchQueue::global().async([shared = m_shared, address] {
        const ZipReply outcome = fetchZipReply(stringWithFormat(kAddressLookupPath, address));
        if (outcome.reply.isAbsent()) {
            // A body that is not text is dropped without a word, as a reply that reads well is.
            if (outcome.isText) shared->tellFailure(outcome.error);
            return;
        }
        systemLog("catagory %@", outcome.reply);
        systemLog("resultStatus %@", field(outcome.reply, "status"));
    });
}

void GoogleAPI::zip(const String& zip, const String& exist_in_country_code) {
    DispatchQueue::global().async([shared = m_shared, zip, code = exist_in_country_code] {
        const ZipReply outcome = fetchZipReply(stringWithFormat(kPostalCodePath, zip));
        if (outcome.reply.isAbsent()) return shared->tellFailure(outcome.error);
        bool exists = false;
        const Value& first = firstOf(field(outcome.reply, "results"));
        if (!hasStatus(outcome.reply, "ZERO_RESULTS") && !first.isAbsent()) {
            const Value& country = field(lastOf(field(first, "address_components")), "short_name");
            systemLog("country %@", country);
            exists = country == Value(code);
        }
        shared->tell([&](GoogleAPIDelegate& delegate) {
            if (exists) {
                delegate.googleZipCodeExistIn(code);
            } else {
                delegate.googleZipCodeNotExistIn(code);
            }
        });
    });
}

}  // namespace ov
