#pragma once
// A notification the application schedules for itself (the platform's UILocalNotification):
// a title and a body shown at the fire date.
//
//   ov::ui::LocalNotification reminder;
//   reminder.setAlertTitle(ov::String("Tea"));
//   reminder.setAlertBody(ov::String("The pot is ready"));
//   reminder.setFireDate(ov::Date::now().dateByAddingTimeInterval(240));
//   ov::ui::Application::sharedApplication().scheduleLocalNotification(reminder);
//
// A plain value: the application keeps copies of what it is given.

#include <optional>

#include "orvane/platform/values/Date.h"
#include "orvane/platform/values/String.h"

namespace ov::ui {

class LocalNotification {
  public:
    const std::optional<String>& alertTitle() const { return m_alertTitle; }
    void setAlertTitle(std::optional<String> title) { m_alertTitle = std::move(title); }
    const std::optional<String>& alertBody() const { return m_alertBody; }
    void setAlertBody(std::optional<String> body) { m_alertBody = std::move(body); }
    // None: shown as soon as it is scheduled.
    const std::optional<Date>& fireDate() const { return m_fireDate; }
    void setFireDate(std::optional<Date> date) { m_fireDate = date; }

    friend bool operator==(const LocalNotification&, const LocalNotification&) = default;

  private:
    std::optional<String> m_alertTitle;
    std::optional<String> m_alertBody;
    std::optional<Date> m_fireDate;
};

}  // namespace ov::ui
