#include "orvane/platform/ui/application/Device.h"

#include <openssl/evp.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>

#include "orvane/platform/files/Bundle.h"

namespace ov::ui {

namespace {

// The namespace of every vendor identifier this library derives.
constexpr std::array<uint8_t, 16> kVendorNamespace = {
    0x6b, 0x3e, 0x1c, 0x52, 0x0f, 0x8d, 0x4a, 0x27, 0x9e, 0x61, 0x2d, 0xc4, 0x75, 0xb0, 0x13, 0xa9};

std::string unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        std::string plain;
        for (size_t i = 1; i + 1 < value.size(); ++i) {
            if (value[i] == '\\' && i + 2 < value.size()) ++i;
            plain.push_back(value[i]);
        }
        return plain;
    }
    return value;
}

std::map<std::string, std::string> osRelease() {
    std::ifstream file("/etc/os-release");
    if (!file) file.open("/usr/lib/os-release");
    std::map<std::string, std::string> fields;
    std::string line;
    while (std::getline(file, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos || line.starts_with('#')) continue;
        fields[line.substr(0, equals)] = unquoted(line.substr(equals + 1));
    }
    return fields;
}

std::optional<String> machineIdentity() {
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        std::ifstream file(path);
        std::string identity;
        if (file >> identity && !identity.empty()) return String(identity);
    }
    return std::nullopt;
}

// "com.maker.app" -> "com.maker"; an identifier of one component has no maker's part.
std::string makerPart(const std::optional<String>& applicationIdentifier) {
    if (!applicationIdentifier) return {};
    const std::string identifier = applicationIdentifier->toUtf8();
    const size_t dot = identifier.rfind('.');
    return dot == std::string::npos ? std::string() : identifier.substr(0, dot);
}

}  // namespace

Device::Device() : m_info(systemInfo()) {}

Device& Device::currentDevice() {
    // Never destroyed: shared instances live until the process ends.
    static auto* device = new Device;
    return *device;
}

Device::Info Device::systemInfo() {
    utsname system{};
    uname(&system);
    auto release = osRelease();
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    Info info;
    info.systemName = String(release.contains("NAME") ? release["NAME"] : system.sysname);
    info.systemVersion =
        String(release.contains("VERSION_ID") ? release["VERSION_ID"] : system.release);
    info.model = String(system.sysname);
    info.localizedModel = info.model;
    info.name = String(host);
    info.machine = String(system.machine);
    info.machineIdentity = machineIdentity();
    return info;
}

String Device::vendorIdentifier(const String& machineIdentity,
                                const std::optional<String>& applicationIdentifier) {
    const std::string name = machineIdentity.toUtf8() + "\n" + makerPart(applicationIdentifier);
    std::array<uint8_t, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    EVP_DigestInit_ex(context, EVP_sha1(), nullptr);
    EVP_DigestUpdate(context, kVendorNamespace.data(), kVendorNamespace.size());
    EVP_DigestUpdate(context, name.data(), name.size());
    EVP_DigestFinal_ex(context, digest.data(), &length);
    EVP_MD_CTX_free(context);
    digest[6] = static_cast<uint8_t>((digest[6] & 0x0F) | 0x50);  // version 5
    digest[8] = static_cast<uint8_t>((digest[8] & 0x3F) | 0x80);  // RFC 4122 variant
    std::string text;
    for (size_t i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text.push_back('-');
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", digest[i]);
        text += hex;
    }
    return String(text);
}

Device::Info Device::info() const {
    std::lock_guard lock(m_mutex);
    return m_info;
}

String Device::systemName() const {
    return info().systemName;
}

String Device::systemVersion() const {
    return info().systemVersion;
}

String Device::model() const {
    return info().model;
}

String Device::localizedModel() const {
    return info().localizedModel;
}

String Device::name() const {
    return info().name;
}

String Device::machine() const {
    return info().machine;
}

std::optional<String> Device::identifierForVendor() const {
    const auto identity = info().machineIdentity;
    if (!identity) return std::nullopt;
    return vendorIdentifier(*identity, Bundle::mainBundle()->bundleIdentifier());
}

void Device::setInfo(std::optional<Info> info) {
    Info chosen = info ? std::move(*info) : systemInfo();
    std::lock_guard lock(m_mutex);
    m_info = std::move(chosen);
}

}  // namespace ov::ui
