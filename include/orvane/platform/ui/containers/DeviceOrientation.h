#pragma once
// The way the device is held (the platform's UIDevice orientation) and the orientations an
// interface can take. The application may force the device orientation by key-value coding,
// as the platform allows: setValueForKey(Value(3L), "orientation"). Observers hear
// "orientation" (UIDeviceOrientation); the window's root view controller then turns the
// interface when it supports the new orientation (ViewController.h). Main thread only.

#include <string_view>

#include "orvane/platform/ui/layers/Observation.h"
#include "orvane/platform/values/Value.h"

namespace ov::ui {

enum UIDeviceOrientation : long {
    UIDeviceOrientationUnknown,
    UIDeviceOrientationPortrait,
    UIDeviceOrientationPortraitUpsideDown,
    UIDeviceOrientationLandscapeLeft,
    UIDeviceOrientationLandscapeRight,
    UIDeviceOrientationFaceUp,
    UIDeviceOrientationFaceDown,
};

// The interface's landscape sides are named the other way round from the device's: the
// home button's side against the device's top.
enum UIInterfaceOrientation : long {
    UIInterfaceOrientationUnknown = 0,
    UIInterfaceOrientationPortrait = 1,
    UIInterfaceOrientationPortraitUpsideDown = 2,
    UIInterfaceOrientationLandscapeLeft = 4,
    UIInterfaceOrientationLandscapeRight = 3,
};

// A bit set, one bit per interface orientation.
using UIInterfaceOrientationMask = unsigned long;
inline constexpr UIInterfaceOrientationMask UIInterfaceOrientationMaskPortrait = 1 << 1;
inline constexpr UIInterfaceOrientationMask UIInterfaceOrientationMaskPortraitUpsideDown = 1 << 2;
inline constexpr UIInterfaceOrientationMask UIInterfaceOrientationMaskLandscapeRight = 1 << 3;
inline constexpr UIInterfaceOrientationMask UIInterfaceOrientationMaskLandscapeLeft = 1 << 4;
inline constexpr UIInterfaceOrientationMask UIInterfaceOrientationMaskLandscape =
    UIInterfaceOrientationMaskLandscapeLeft | UIInterfaceOrientationMaskLandscapeRight;
inline constexpr UIInterfaceOrientationMask UIInterfaceOrientationMaskAllButUpsideDown =
    UIInterfaceOrientationMaskPortrait | UIInterfaceOrientationMaskLandscape;
inline constexpr UIInterfaceOrientationMask UIInterfaceOrientationMaskAll =
    UIInterfaceOrientationMaskAllButUpsideDown | UIInterfaceOrientationMaskPortraitUpsideDown;

// The interface orientation a device orientation calls for (unknown for face up or down).
UIInterfaceOrientation interfaceOrientationForDevice(UIDeviceOrientation orientation);
bool isLandscape(UIInterfaceOrientation orientation);

class DeviceOrientation : public Observable {
  public:
    static DeviceOrientation& current();

    // Portrait at start.
    UIDeviceOrientation orientation() const { return m_orientation; }
    // Values outside the enumeration are ignored.
    void setOrientation(UIDeviceOrientation orientation);
    // Key-value coding: "orientation" with a number; other keys are ignored. Answers whether
    // the value was taken.
    bool setValueForKey(const Value& value, std::string_view key);

  private:
    DeviceOrientation() = default;

    UIDeviceOrientation m_orientation = UIDeviceOrientationPortrait;
};

}  // namespace ov::ui
