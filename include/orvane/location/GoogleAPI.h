#pragma once
// A client for the Maps web services (geocoding, distance matrix) and the translation service.
//
//   ov::String address = *ov::GoogleAPI::getAddressFromLat(32.0853f, 34.7818f);
//   ov::Value metres = ov::GoogleAPI::getMetterDistanceFromOrigins("Tel Aviv", "Haifa");
//
//   ov::GoogleAPI api;                       // from the main thread
//   api.setDelegate(myDelegate);
//   api.zip("6100000", "IL");                // answers later through the delegate
//
// The class operations block the calling thread for a whole round trip: call them from a
// background thread. The instance operations run on the global queue and call the delegate on
// the main queue synchronously, so the main run loop must be turning and the main thread must
// never wait for them. Dropping the instance early still lets its work finish and report.
//
// The three service base addresses ("scheme://host[:port]") come from ORVANE_MAPS_API,
// ORVANE_MAPS_SITE and ORVANE_TRANSLATE when set, else the public services over https.

#include <memory>
#include <optional>

#include "orvane/location/GoogleAPIDelegate.h"
#include "orvane/platform/values/Value.h"

namespace ov {

class GoogleAPI {
  public:
    GoogleAPI();

    // The Maps web-services host: reverse geocoding, distances, postal codes.
    static String apiBase();
    static void setApiBase(const String& base);
    // The Maps site host: forward geocoding.
    static String siteBase();
    static void setSiteBase(const String& base);
    // The translation service's host.
    static String translateBase();
    static void setTranslateBase(const String& base);

    // The first result's "formatted_address"; "" for any other status; none when the reply
    // cannot be fetched or read.
    static std::optional<String> getAddressFromLat(float Lat, float Lon);
    // The first result's "address_components"; an empty array in every other case.
    static Array getAddressArrayFromLat(float Lat, float Lon);
    // The first element's "duration" as the service gives it, or "".
    static Value getDistanceFromOrigins(const String& origins, const String& withDestinations);
    // The first element's "distance" → "value" in metres, or "".
    static Value getMetterDistanceFromOrigins(const String& origins,
                                              const String& withDestinations);
    // Latitude and longitude texts; none for an empty address, a failed fetch or no result.
    static std::optional<Array> geoCodeUsingAddressToLatLong(const std::optional<String>& address);
    // English to Japanese; the reply is only logged.
    static void translate(const String& text);

    // Held strongly; read when the answer arrives, so a replacement receives it.
    std::shared_ptr<GoogleAPIDelegate> delegate() const;
    void setDelegate(std::shared_ptr<GoogleAPIDelegate> delegate);

    // Logs the reply; tells the delegate only of a failed request.
    void zipCodeFromAddress(const String& address);
    // Tells the delegate exactly one of exists, not exists or failed.
    void zip(const String& zip, const String& exist_in_country_code);

  private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

}  // namespace ov
