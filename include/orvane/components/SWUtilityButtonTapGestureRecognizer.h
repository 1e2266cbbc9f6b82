#pragma once
// The tap on one utility button: an ordinary tap that also says which button of its row it
// sits on, so the cell's handler can report the index.

#include "orvane/platform/ui/input/TapGestureRecognizer.h"

namespace ov {

class SWUtilityButtonTapGestureRecognizer : public ui::TapGestureRecognizer {
  public:
    using ui::TapGestureRecognizer::TapGestureRecognizer;

    unsigned long buttonIndex() const { return m_buttonIndex; }
    void setButtonIndex(unsigned long index) { m_buttonIndex = index; }

  private:
    unsigned long m_buttonIndex = 0;
};

}  // namespace ov
