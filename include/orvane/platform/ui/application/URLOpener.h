#pragma once
// How the application object opens addresses and asks whether it could. The default runs the
// desktop's `xdg-open` and `xdg-mime`; tests and hosts with their own launcher install another.
//
//   class Recorder : public ov::ui::URLOpener {
//       bool openURL(const ov::URL& url) override { opened.push_back(url); return true; }
//       bool canOpenURL(const ov::URL&) override { return true; }
//       std::vector<ov::URL> opened;
//   };
//   ov::ui::Application::sharedApplication().setURLOpener(std::make_shared<Recorder>());

#include "orvane/platform/network/URL.h"

namespace ov::ui {

class URLOpener {
  public:
    virtual ~URLOpener() = default;
    // Whether the address was handed to something that opens it. May be called on any thread.
    virtual bool openURL(const URL& url) = 0;
    // Whether some installed application handles the address's scheme.
    virtual bool canOpenURL(const URL& url) = 0;
};

}  // namespace ov::ui
