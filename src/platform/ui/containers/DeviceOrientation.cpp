#include "orvane/platform/ui/containers/DeviceOrientation.h"

namespace ov::ui {

UIInterfaceOrientation interfaceOrientationForDevice(UIDeviceOrientation orientation) {
    switch (orientation) {
        case UIDeviceOrientationPortrait:
            return UIInterfaceOrientationPortrait;
        case UIDeviceOrientationPortraitUpsideDown:
            return UIInterfaceOrientationPortraitUpsideDown;
        case UIDeviceOrientationLandscapeLeft:
            return UIInterfaceOrientationLandscapeRight;
        case UIDeviceOrientationLandscapeRight:
            return UIInterfaceOrientationLandscapeLeft;
        default:
            return UIInterfaceOrientationUnknown;
    }
}

bool isLandscape(UIInterfaceOrientation orientation) {
    return orientation == UIInterfaceOrientationLandscapeLeft ||
           orientation == UIInterfaceOrientationLandscapeRight;
}

DeviceOrientation& DeviceOrientation::current() {
    static DeviceOrientation device;
    return device;
}

void DeviceOrientation::setOrientation(UIDeviceOrientation orientation) {
    if (orientation < UIDeviceOrientationUnknown || orientation > UIDeviceOrientationFaceDown ||
        orientation == m_orientation) {
        return;
    }
    const UIDeviceOrientation old = std::exchange(m_orientation, orientation);
    didChangeValueForKey("orientation", old, orientation);
}

bool DeviceOrientation::setValueForKey(const Value& value, std::string_view key) {
    if (key != "orientation") return false;
    const auto number = value.ifNumber();
    if (!number) return false;
    setOrientation(static_cast<UIDeviceOrientation>(number->longLongValue()));
    return true;
}

}  // namespace ov::ui
