#pragma once
// What the application runs on, and the device record the host sends to its web service: a
// dictionary kept in "deviceDictionary.plist" in the documents directory.
//
//   ov::OVDevice::setDevice_tokenKey("apns_token");
//   ov::OVDevice::setDevice_token(ov::UIApplication_OVApplication::clearToken(token));
//   std::optional<ov::Dictionary> record = ov::OVDevice::dictionary();
//   // {systemOperation = IOS; apns_token = ...; osVersion = 12; deviceOs = IOS; model = Linux;
//   //  device_name = ...; UUID = ...; localizedModel = Linux}
//
// The record keeps the keys the host put into the file itself. Class operations may be called
// from any thread; writes of the record from two threads at once are not ordered.

#include <mutex>
#include <optional>

#include "orvane/platform/values/Value.h"

namespace ov {

class OVDevice {
  public:
    OVDevice(const OVDevice&) = delete;
    OVDevice& operator=(const OVDevice&) = delete;

    static OVDevice& sharedInstance();

    // The record's file: "<documents>/deviceDictionary.plist".
    static String path();
    // Writes the device's values and `token` (the empty string for none) into the record and
    // answers it; none, with the file untouched, when the file exists but holds no dictionary.
    static std::optional<Dictionary> setDictionary(const String& token);
    // The stored record as it is, or a fresh one when there is none or it is empty.
    static std::optional<Dictionary> dictionary();
    static void setDevice_token(const String& token);
    // The shared instance's token when one was set on it, else the one in the record under
    // the current key (none when neither has one).
    static std::optional<String> device_token();
    // Logs the argument; none stands for "deviceToken".
    static void setDevice_tokenKey(const std::optional<String>& key);
    static String device_token_Key();
    static String systemVersion();
    static String model();
    static String platformString();

    // The hardware code ("iPhone7,2", "x86_64"), its model name and its platform number.
    String platformCode() const;
    String platformName() const;
    long platform() const;

    std::optional<String> device_token_KeyOfInstance() const;
    void setDevice_token_Key(const std::optional<String>& value);
    std::optional<String> device_tokenOfInstance() const;
    void setDevice_tokenOfInstance(const std::optional<String>& value);

  private:
    OVDevice();

    mutable std::mutex m_mutex;
    std::optional<String> m_device_token_Key;
    std::optional<String> m_device_token;
};

}  // namespace ov
