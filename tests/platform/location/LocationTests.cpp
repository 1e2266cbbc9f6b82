#include <gtest/gtest.h>

#include <cmath>

#include "orvane/platform/location/GpxTrack.h"
#include "orvane/platform/location/Location.h"
#include "support/TemporaryDirectory.h"
#include "support/TestImages.h"

namespace ov {
namespace {

TEST(LocationTest, DistancesAreWgs84Geodesics) {
    // The reference example of the geodesic literature: JFK to Heathrow.
    const Location jfk(40.6, -73.8);
    const Location lhr(51.6, -0.5);
    EXPECT_NEAR(jfk.distanceFromLocation(lhr), 5551759.400319, 1e-3);
    EXPECT_DOUBLE_EQ(jfk.distanceFromLocation(lhr), lhr.distanceFromLocation(jfk));
    // One degree along the equator is the ellipsoid's radius times pi/180; a sphere of the
    // mean radius would give 111195 m.
    EXPECT_NEAR(Location(0, 0).distanceFromLocation(Location(0, 1)), 111319.491, 1e-3);
    EXPECT_EQ(jfk.distanceFromLocation(jfk), 0.0);
}

TEST(LocationTest, InvalidCoordinatesGiveNoDistance) {
    EXPECT_TRUE(std::isnan(Location(91, 0).distanceFromLocation(Location(0, 0))));
    EXPECT_TRUE(std::isnan(Location(0, 0).distanceFromLocation(Location(0, -180.5))));
    EXPECT_TRUE(std::isnan(Location(NAN, 0).distanceFromLocation(Location(0, 0))));
    EXPECT_FALSE(std::isnan(Location(90, 180).distanceFromLocation(Location(-90, -180))));
}

TEST(GpxTrackTest, ReadsTrackPointsWithOptionalTimes) {
    const auto points = parseGpxTrack(R"(<?xml version="1.0"?>
<gpx version="1.1"><trk><name>ride</name><trkseg>
  <trkpt lat="32.0853" lon="34.7818"><ele>12</ele><time>2024-05-01T10:00:00Z</time></trkpt>
  <trkpt lon='34.79' lat='32.09'>
     <time> 2024-05-01T13:00:30.5+03:00 </time>
  </trkpt>
  <trkpt lat="32.1" lon="34.8"/>
  <trkpt lat="95" lon="34.8"><time>2024-05-01T10:01:00Z</time></trkpt>
  <trkpt lat="north" lon="34.8"></trkpt>
  <trkpt latitude="1" lon="2"></trkpt>
  <trkpt lat="32.2" lon="34.9"><time>yesterday</time></trkpt>
</trkseg></trk></gpx>)");
    const double tenOClock = 736250400.0;  // 2024-05-01 10:00:00 UTC
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0], (TrackPoint{{32.0853, 34.7818}, tenOClock}));
    EXPECT_EQ(points[1], (TrackPoint{{32.09, 34.79}, tenOClock + 30.5}));
    EXPECT_EQ(points[2], (TrackPoint{{32.1, 34.8}, std::nullopt}));
    EXPECT_EQ(points[3], (TrackPoint{{32.2, 34.9}, std::nullopt}));
    EXPECT_TRUE(parseGpxTrack("<trkpt lat=\"1\" lon=\"2\"").empty());
}

TEST(GpxTrackTest, TimesAreIso8601) {
    EXPECT_EQ(parseIso8601("2001-01-01T00:00:00Z"), 0.0);
    EXPECT_EQ(parseIso8601("2001-01-01T00:00:00"), 0.0);
    EXPECT_EQ(parseIso8601("2000-12-31T19:30:00-0430"), 0.0);
    EXPECT_EQ(parseIso8601("2000-02-29T00:00:00Z"), -86400.0 * 307);
    EXPECT_EQ(parseIso8601("2001-02-29T00:00:00Z"), std::nullopt);
    EXPECT_EQ(parseIso8601("2001-01-01T24:00:00Z"), std::nullopt);
    EXPECT_EQ(parseIso8601("2001-01-01T00:00:00Zjunk"), std::nullopt);
    EXPECT_EQ(parseIso8601("2001-1-01T00:00:00Z"), std::nullopt);
}

TEST(GpxTrackTest, LoadingFailsWithoutUsablePoints) {
    test::TemporaryDirectory folder;
    EXPECT_FALSE(loadGpxTrack(folder.file("missing.gpx")));
    test::writeFile(folder.file("empty.gpx").toUtf8(), Data::fromString("<gpx><trk/></gpx>"));
    EXPECT_FALSE(loadGpxTrack(folder.file("empty.gpx")));
    test::writeFile(folder.file("one.gpx").toUtf8(),
                    Data::fromString(R"(<trkpt lat="1" lon="2"/>)"));
    const auto one = loadGpxTrack(folder.file("one.gpx"));
    ASSERT_TRUE(one);
    EXPECT_EQ(one.value().size(), 1u);
}

}  // namespace
}  // namespace ov
