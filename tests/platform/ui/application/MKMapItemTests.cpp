#include <gtest/gtest.h>

#include "orvane/platform/ui/application/MKMapItem.h"
#include "support/URLOpenerRecorder.h"

namespace ov::ui {
namespace {

TEST(MKMapItem, OpensTheDesktopsGeoHandlerAtThePlacemark) {
    test::URLOpenerRecorder recorder;
    MKMapItem item(MKPlacemark(CLLocationCoordinate2DMake(-0.0000004, 179.9999996),
                               Dictionary{{"Street", "Main St"}}));
    item.setName("Office");
    item.openInMapsWithLaunchOptions(Dictionary{{"MKLaunchOptionsDirectionsModeKey", "walking"}});
    EXPECT_EQ(recorder.opened(), std::vector<std::string>{"geo:-0.000000,180.000000"});
    EXPECT_EQ(item.name(), String("Office"));
}

}  // namespace
}  // namespace ov::ui
