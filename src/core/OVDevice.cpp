#include "orvane/core/OVDevice.h"

#include <array>

#include "orvane/platform/files/FileManager.h"
#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/ui/application/Device.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {

namespace {

constexpr const char* kFileName = "deviceDictionary.plist";
constexpr const char* kDefaultTokenKey = "deviceToken";
constexpr const char* kSystemOperation = "IOS";
// What the record holds when the platform withholds the vendor identifier.
constexpr const char* kNoVendorIdentifier = "00000000-0000-0000-0000-000000000000";

struct Platform {
    const char* code;
    const char* name;  // nullptr: the code names itself
    long number;
};

// Compared in this order; the first equal code decides.
constexpr std::array<Platform, 42> kPlatforms{{
    {"iPhone1,1", "iPhone 1G", 1},
    {"iPhone1,2", "iPhone 3G", 2},
    {"iPhone2,1", "iPhone 3GS", 3},
    {"iPhone3,1", "iPhone 4", 4},
    {"iPhone3,2", nullptr, 5},
    {"iPhone3,3", "Verizon iPhone 4", 0},
    {"iPhone4,1", "iPhone 4S", 6},
    {"iPhone5,1", "iPhone 5 (GSM)", 7},
    {"iPhone5,2", "iPhone 5 (GSM+CDMA)", 8},
    {"iPhone5,3", "iPhone 5c (GSM)", 9},
    {"iPhone5,4", "iPhone 5c (GSM+CDMA)", 10},
    {"iPhone6,1", "iPhone 5s (GSM)", 11},
    {"iPhone6,2", "iPhone 5s (GSM+CDMA)", 12},
    {"iPhone7,1", "iPhone 6 Plus", 14},
    {"iPhone7,2", "iPhone 6", 13},
    {"iPhone8,2", "iPhone 6s Plus", 16},
    {"iPhone8,1", "iPhone 6s", 15},
    {"iPod1,1", "iPod Touch 1G", 17},
    {"iPod2,1", "iPod Touch 2G", 18},
    {"iPod3,1", "iPod Touch 3G", 19},
    {"iPod4,1", "iPod Touch 4G", 20},
    {"iPod5,1", "iPod Touch 5G", 21},
    {"iPad1,1", "iPad", 22},
    {"iPad2,1", "iPad 2 (WiFi)", 23},
    {"iPad2,2", "iPad 2 (GSM)", 24},
    {"iPad2,3", "iPad 2 (CDMA)", 25},
    {"iPad2,4", "iPad 2 (WiFi)", 23},
    {"iPad2,5", "iPad Mini (WiFi)", 34},
    {"iPad2,6", "iPad Mini (GSM)", 35},
    {"iPad2,7", "iPad Mini (GSM+CDMA)", 36},
    {"iPad3,1", "iPad 3 (WiFi)", 26},
    {"iPad3,2", "iPad 3 (GSM+CDMA)", 0},
    {"iPad3,3", "iPad 3 (GSM)", 27},
    {"iPad3,4", "iPad 4 (WiFi)", 29},
    {"iPad3,5", "iPad 4 (GSM)", 30},
    {"iPad3,6", "iPad 4 (GSM+CDMA)", 0},
    {"iPad4,1", "iPad Air (WiFi)", 32},
    {"iPad4,2", "iPad Air (Cellular)", 33},
    {"iPad4,4", "iPad mini 2G (WiFi)", 37},
    {"iPad4,5", "iPad mini 2G (Cellular)", 38},
    {"i386", "Simulator", 39},
    {"x86_64", "Simulator", 39},
}};

const Platform* findPlatform(const String& code) {
    for (const auto& platform : kPlatforms) {
        if (code == platform.code) return &platform;
    }
    return nullptr;
}

}  // namespace

OVDevice::OVDevice() : m_device_token_Key(String(kDefaultTokenKey)) {}

OVDevice& OVDevice::sharedInstance() {
    // Never destroyed: shared instances live until the process ends.
    static auto* device = new OVDevice;
    return *device;
}

String OVDevice::path() {
    return stringWithFormat("%@/%@", FileManager::defaultManager().documentsDirectory(), kFileName);
}

std::optional<Dictionary> OVDevice::setDictionary(const String& token) {
    const String file = path();
    Dictionary record;
    if (FileManager::defaultManager().fileExistsAtPath(file)) {
        auto stored = dictionaryWithContentsOfFile(file);
        if (!stored) return std::nullopt;
        record = std::move(*stored);
    }
    const auto& device = ui::Device::currentDevice();
    record.setObject(kSystemOperation, "systemOperation");
    record.setObject(token, device_token_Key());
    record.setObject(device.systemVersion(), "osVersion");
    record.setObject(kSystemOperation, "deviceOs");
    record.setObject(device.model(), "model");
    if (const String name = device.name(); !name.isEmpty()) record.setObject(name, "device_name");
    record.setObject(device.identifierForVendor().value_or(kNoVendorIdentifier), "UUID");
    record.setObject(device.localizedModel(), "localizedModel");
    // As on the platform, a failed write still answers the record.
    (void)writeDictionaryToFile(record, file, true);
    return record;
}

std::optional<Dictionary> OVDevice::dictionary() {
    auto stored = dictionaryWithContentsOfFile(path());
    if (!stored || stored->isEmpty()) return setDictionary("");
    return stored;
}

void OVDevice::setDevice_token(const String& token) {
    (void)setDictionary(token);
}

std::optional<String> OVDevice::device_token() {
    if (auto token = sharedInstance().device_tokenOfInstance()) return token;
    const auto stored = dictionaryWithContentsOfFile(path());
    const String* token = stored ? stored->objectForKey(device_token_Key()).ifString() : nullptr;
    return token ? std::optional(*token) : std::nullopt;
}

void OVDevice::setDevice_tokenKey(const std::optional<String>& key) {
    systemLog("setDevice_tokenKey %@", key ? Value(*key) : Value());
    sharedInstance().setDevice_token_Key(key.value_or(kDefaultTokenKey));
}

String OVDevice::device_token_Key() {
    auto key = sharedInstance().device_token_KeyOfInstance();
    if (!key) {
        setDevice_tokenKey(String(kDefaultTokenKey));
        key = sharedInstance().device_token_KeyOfInstance();
    }
    return key.value_or(kDefaultTokenKey);
}

String OVDevice::systemVersion() {
    return ui::Device::currentDevice().systemVersion();
}

String OVDevice::model() {
    return ui::Device::currentDevice().model();
}

String OVDevice::platformString() {
    return "";
}

String OVDevice::platformCode() const {
    return ui::Device::currentDevice().machine();
}

String OVDevice::platformName() const {
    const String code = platformCode();
    const Platform* platform = findPlatform(code);
    return platform && platform->name ? String(platform->name) : code;
}

long OVDevice::platform() const {
    const Platform* platform = findPlatform(platformCode());
    return platform ? platform->number : 0;
}

std::optional<String> OVDevice::device_token_KeyOfInstance() const {
    std::lock_guard lock(m_mutex);
    return m_device_token_Key;
}

void OVDevice::setDevice_token_Key(const std::optional<String>& value) {
    std::lock_guard lock(m_mutex);
    m_device_token_Key = value;
}

std::optional<String> OVDevice::device_tokenOfInstance() const {
    std::lock_guard lock(m_mutex);
    return m_device_token;
}

void OVDevice::setDevice_tokenOfInstance(const std::optional<String>& value) {
    std::lock_guard lock(m_mutex);
    m_device_token = value;
}

}  // namespace ov
