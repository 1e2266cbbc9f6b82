#pragma once
// The demo's places and times: a simulated position, today's twilight there, the greeting for
// the part of the day and a few relative-time phrases.

namespace demo {

// Installs the simulated device at the demo's position unless ORVANE_LOCATION chose one.
void placeTheDevice();
// Prints what the toolkit knows of the day at the device's position.
void showTimeAndPlace();

}  // namespace demo
