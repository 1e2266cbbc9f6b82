#pragma once
// The shared clipboard of the application (the platform's UIPasteboard), holding text.
//
//   ov::ui::Pasteboard::generalPasteboard().setString("copied");
//   ov::ui::Pasteboard::generalPasteboard().string();   // "copied"
//
// The stand-in keeps the text in the process; nothing reaches the desktop's clipboard.
// Main thread only.

#include <optional>

#include "orvane/platform/values/String.h"

namespace ov::ui {

class Pasteboard {
  public:
    static Pasteboard& generalPasteboard();

    // None until something is copied.
    const std::optional<String>& string() const { return m_string; }
    void setString(const std::optional<String>& string) { m_string = string; }

  private:
    Pasteboard() = default;
    std::optional<String> m_string;
};

}  // namespace ov::ui
