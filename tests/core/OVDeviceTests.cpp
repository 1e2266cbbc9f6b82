#include <gtest/gtest.h>

#include "orvane/core/OVDevice.h"
#include "orvane/platform/files/FileManager.h"
#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/ui/application/Device.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/TemporaryDirectory.h"
#include "support/TestImages.h"

namespace ov {
namespace {

class OVDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FileManager::defaultManager().setDocumentsDirectory(m_documents.path());
        useDevice("iPhone7,2", "Ada's phone");
        OVDevice::sharedInstance().setDevice_token_Key(String("deviceToken"));
        OVDevice::sharedInstance().setDevice_tokenOfInstance(std::nullopt);
    }
    void TearDown() override {
        FileManager::defaultManager().setDocumentsDirectory("");
        ui::Device::currentDevice().setInfo(std::nullopt);
        OVDevice::sharedInstance().setDevice_token_Key(String("deviceToken"));
    }

    static void useDevice(const char* machine, const char* name,
                          std::optional<String> identity = String("machine-1")) {
        ui::Device::currentDevice().setInfo(ui::Device::Info{
            "iOS", "9.3", "iPhone", "iPhone (localized)", name, machine, identity});
    }
    static std::optional<Dictionary> stored() {
        return dictionaryWithContentsOfFile(OVDevice::path());
    }

    test::TemporaryDirectory m_documents;
};

TEST_F(OVDeviceTest, FreshInstallationCreatesTheRecordWithAnEmptyToken) {
    EXPECT_EQ(OVDevice::path(), m_documents.path() + "/deviceDictionary.plist");
    const auto record = OVDevice::dictionary();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->allKeys(),
              (std::vector<String>{"systemOperation", "deviceToken", "osVersion", "deviceOs",
                                   "model", "device_name", "UUID", "localizedModel"}));
    EXPECT_EQ(record->objectForKey("systemOperation"), Value("IOS"));
    EXPECT_EQ(record->objectForKey("deviceToken"), Value(""));
    EXPECT_EQ(record->objectForKey("osVersion"), Value("9.3"));
    EXPECT_EQ(record->objectForKey("deviceOs"), Value("IOS"));
    EXPECT_EQ(record->objectForKey("model"), Value("iPhone"));
    EXPECT_EQ(record->objectForKey("device_name"), Value("Ada's phone"));
    EXPECT_EQ(record->objectForKey("UUID"),
              Value(ui::Device::currentDevice().identifierForVendor().value()));
    EXPECT_EQ(record->objectForKey("localizedModel"), Value("iPhone (localized)"));
    EXPECT_EQ(stored(), record);
}

TEST_F(OVDeviceTest, TokenWritesKeepTheHostsKeysAndAStoredRecordIsNotRefreshed) {
    ASSERT_TRUE(writeDictionaryToFile(Dictionary{{"user_id", 42}}, OVDevice::path(), true));
    OVDevice::setDevice_token("abc123");
    auto record = stored();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->objectForKey("user_id"), Value(42LL));
    EXPECT_EQ(record->objectForKey("deviceToken"), Value("abc123"));
    EXPECT_EQ(record->allKeys().front(), String("user_id"));

    useDevice("iPhone7,2", "Renamed");
    EXPECT_EQ(OVDevice::dictionary()->objectForKey("device_name"), Value("Ada's phone"));
    EXPECT_EQ(OVDevice::setDictionary("")->objectForKey("device_name"), Value("Renamed"));
}

TEST_F(OVDeviceTest, ANewTokenKeyLeavesTheOldValueInPlace) {
    OVDevice::setDevice_token("old-token");
    SystemLogCapture log;
    OVDevice::setDevice_tokenKey(String("apns"));
    OVDevice::setDevice_token("new-token");
    EXPECT_EQ(log.entries(), std::vector<std::string>{"setDevice_tokenKey apns"});
    const auto record = stored();
    EXPECT_EQ(record->objectForKey("deviceToken"), Value("old-token"));
    EXPECT_EQ(record->objectForKey("apns"), Value("new-token"));
    EXPECT_EQ(OVDevice::device_token(), String("new-token"));
}

TEST_F(OVDeviceTest, AnAbsentTokenKeyIsLoggedAndBecomesTheDefault) {
    OVDevice::sharedInstance().setDevice_token_Key(String("custom"));
    SystemLogCapture log;
    OVDevice::setDevice_tokenKey(std::nullopt);
    EXPECT_EQ(log.entries(), std::vector<std::string>{"setDevice_tokenKey (null)"});
    EXPECT_EQ(OVDevice::device_token_Key(), String("deviceToken"));

    OVDevice::sharedInstance().setDevice_token_Key(std::nullopt);
    log.clear();
    EXPECT_EQ(OVDevice::device_token_Key(), String("deviceToken"));
    EXPECT_EQ(log.entries(), std::vector<std::string>{"setDevice_tokenKey deviceToken"});
}

TEST_F(OVDeviceTest, AnUnreadableRecordIsLeftAloneAndAnEmptyOneIsRebuilt) {
    const Data garbage = Data::fromString("not a property list");
    test::writeFile(OVDevice::path().toUtf8(), garbage);
    EXPECT_EQ(OVDevice::setDictionary("token"), std::nullopt);
    EXPECT_EQ(OVDevice::dictionary(), std::nullopt);
    EXPECT_EQ(FileManager::defaultManager().contentsAtPath(OVDevice::path()), garbage);

    ASSERT_TRUE(writeDictionaryToFile(Dictionary(), OVDevice::path(), true));
    EXPECT_EQ(OVDevice::dictionary()->objectForKey("deviceToken"), Value(""));
}

TEST_F(OVDeviceTest, MissingNameAndVendorIdentifierHaveFallbacks) {
    useDevice("iPhone7,2", "", std::nullopt);
    const auto record = OVDevice::setDictionary("t");
    EXPECT_FALSE(record->containsKey("device_name"));
    EXPECT_EQ(record->objectForKey("UUID"), Value("00000000-0000-0000-0000-000000000000"));
}

TEST_F(OVDeviceTest, ClassTokenGetterPrefersTheInstancesToken) {
    EXPECT_EQ(OVDevice::device_token(), std::nullopt);
    OVDevice::setDevice_token("from-file");
    EXPECT_EQ(OVDevice::device_token(), String("from-file"));
    OVDevice::sharedInstance().setDevice_tokenOfInstance(String("in-memory"));
    EXPECT_EQ(OVDevice::device_token(), String("in-memory"));
}

TEST_F(OVDeviceTest, PlatformNamesAndNumbersFollowTheTable) {
    struct Case {
        const char* code;
        const char* name;
        long number;
    };
    for (const Case& expected :
         {Case{"iPhone1,1", "iPhone 1G", 1}, Case{"iPhone3,2", "iPhone3,2", 5},
          Case{"iPhone3,3", "Verizon iPhone 4", 0}, Case{"iPhone7,1", "iPhone 6 Plus", 14},
          Case{"iPhone7,2", "iPhone 6", 13}, Case{"iPhone8,2", "iPhone 6s Plus", 16},
          Case{"iPod5,1", "iPod Touch 5G", 21}, Case{"iPad2,1", "iPad 2 (WiFi)", 23},
          Case{"iPad2,4", "iPad 2 (WiFi)", 23}, Case{"iPad2,5", "iPad Mini (WiFi)", 34},
          Case{"iPad3,2", "iPad 3 (GSM+CDMA)", 0}, Case{"iPad3,3", "iPad 3 (GSM)", 27},
          Case{"iPad3,6", "iPad 4 (GSM+CDMA)", 0}, Case{"iPad4,5", "iPad mini 2G (Cellular)", 38},
          Case{"i386", "Simulator", 39}, Case{"x86_64", "Simulator", 39},
          Case{"aarch64", "aarch64", 0}, Case{"iPhone7,", "iPhone7,", 0}}) {
        useDevice(expected.code, "");
        const auto& device = OVDevice::sharedInstance();
        EXPECT_EQ(device.platformCode(), String(expected.code));
        EXPECT_EQ(device.platformName(), String(expected.name)) << expected.code;
        EXPECT_EQ(device.platform(), expected.number) << expected.code;
    }
    EXPECT_EQ(OVDevice::platformString(), String(""));
    EXPECT_EQ(OVDevice::systemVersion(), String("9.3"));
    EXPECT_EQ(OVDevice::model(), String("iPhone"));
}

}  // namespace
}  // namespace ov
