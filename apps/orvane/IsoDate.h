#pragma once
// Reads the ISO 8601 moments the command-line tool accepts:
//
//   2024-03-05T10:00:00Z         UTC
//   2024-03-05T10:00:00+02:00    a fixed offset (also +0200, +02, -05:30)
//   2024-03-05T10:00:00.250      seconds may carry a fraction; minutes alone are allowed too
//   2024-03-05T10:00             no zone: local time (TZ or the default zone)
//   2024-03-05                   local midnight
//
// None for anything else, including days and times that do not exist (2023-02-29, 25:00, a
// local time skipped by a daylight-saving change).
#include <optional>
#include <string_view>

#include "orvane/platform/values/Date.h"

namespace orvane::cli {

std::optional<ov::Date> parseIsoDate(std::string_view text);

}  // namespace orvane::cli
