#pragma once
// An indicator that follows a progress value from 0 to 1. The HUD hands its progress to any
// indicator (its own or a custom view) that implements this.

namespace ov {

class MBProgressIndicator {
  public:
    virtual ~MBProgressIndicator() = default;
    virtual float progress() const = 0;
    virtual void setProgress(float progress) = 0;
};

}  // namespace ov
