#pragma once
// Compares a rendered picture with a reference PNG committed under tests/references/.
//
//   EXPECT_TRUE(ov::test::matchesReference(*image, "badge"));
//
// A channel may differ by a few levels (anti-aliasing), and a small share of pixels may differ
// more (glyph edges). References are made once and looked at by a person: with
// ORVANE_UPDATE_REFERENCES=1 in the environment a missing or differing reference is written
// instead of failing.

#include <gtest/gtest.h>

#include <string>

#include "orvane/platform/files/Image.h"

namespace ov::test {

::testing::AssertionResult matchesReference(const Image& image, const std::string& name);
// The same tolerance between two pictures drawn by different routes.
::testing::AssertionResult matchesImage(const Image& image, const Image& expected);

}  // namespace ov::test
