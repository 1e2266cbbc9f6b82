#pragma once
// Track points read from a GPX file, for replaying a journey through the simulated location
// provider.
//
//   auto track = ov::loadGpxTrack("/data/ride.gpx");
//   if (track) provider->setTrack(track.value());
//
// Only <trkpt lat=".." lon=".."> elements count, with their optional <time> (ISO 8601, UTC
// unless an offset is given). Points with a coordinate out of range are skipped.

#include <optional>
#include <string_view>
#include <vector>

#include "orvane/platform/location/Location.h"
#include "orvane/platform/values/Result.h"

namespace ov {

struct TrackPoint {
    LocationCoordinate2D coordinate;
    // Seconds since the reference date, when the point has a readable <time>.
    std::optional<double> time;
    friend bool operator==(const TrackPoint&, const TrackPoint&) = default;
};

std::vector<TrackPoint> parseGpxTrack(std::string_view gpx);
// Fails when the file cannot be read or holds no usable track point.
Result<std::vector<TrackPoint>> loadGpxTrack(const String& path);

// "2024-05-01T10:00:00Z", "2024-05-01T13:00:00.5+03:00": seconds since the reference date.
std::optional<double> parseIso8601(std::string_view text);

}  // namespace ov
