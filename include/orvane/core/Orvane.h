#pragma once
// The library's main class and version.
//
//   ov::Orvane::shared();        // once at start-up: starts the keyboard listener
//   std::puts(ov::OrvaneVersionString);

namespace ov {

extern const double OrvaneVersionNumber;
extern const char OrvaneVersionString[];

class Orvane {
  public:
    // Makes sure the shared UIKeyboardListener exists.
    static void shared();
};

}  // namespace ov
