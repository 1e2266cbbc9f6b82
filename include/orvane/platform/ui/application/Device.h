#pragma once
// The device the application runs on (the platform's UIDevice), read from the Linux system:
//
//   systemName, systemVersion   NAME and VERSION_ID of /etc/os-release ("Debian GNU/Linux",
//                               "12"); without them, uname's system name and release
//   model, localizedModel       uname's system name ("Linux")
//   name                        the host name
//   machine                     uname's hardware code ("x86_64", "aarch64")
//   identifierForVendor         a UUID derived from /etc/machine-id and the maker's part of the
//                               main bundle's identifier (all but its last component), so one
//                               maker's applications on one machine share it, while other
//                               machines and other makers see different ones
//
//   auto& device = ov::ui::Device::currentDevice();
//   device.systemVersion();          // "12"
//   device.identifierForVendor();    // "5C1A0F7E-...", none without a machine identity
//
// A host (or a test) may replace what the system says with setInfo(). Thread-safe.

#include <mutex>
#include <optional>

#include "orvane/platform/values/String.h"

namespace ov::ui {

class Device {
  public:
    struct Info {
        String systemName;
        String systemVersion;
        String model;
        String localizedModel;
        String name;
        String machine;
        // The machine's stable identity (the content of /etc/machine-id); none when unknown.
        std::optional<String> machineIdentity;
    };

    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    static Device& currentDevice();
    // What the system says right now.
    static Info systemInfo();
    // A name-based (SHA-1, version 5) UUID in upper case, for a machine identity and an
    // application identifier such as "com.maker.app".
    static String vendorIdentifier(const String& machineIdentity,
                                   const std::optional<String>& applicationIdentifier);

    String systemName() const;
    String systemVersion() const;
    String model() const;
    String localizedModel() const;
    // Empty when the system gives no name.
    String name() const;
    String machine() const;
    std::optional<String> identifierForVendor() const;

    // None goes back to systemInfo().
    void setInfo(std::optional<Info> info);

  private:
    Device();

    Info info() const;

    mutable std::mutex m_mutex;
    Info m_info;
};

}  // namespace ov::ui
