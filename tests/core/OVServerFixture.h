#pragma once
// Puts the web-service client's settings back to their initial state around each test.

#include <gtest/gtest.h>

#include "orvane/core/OVServer.h"

namespace ov::test {

class OVServerFixture : public ::testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

    static void reset() {
        OVServer::setServerBasePath(std::nullopt);
        OVServer::setToken(std::nullopt);
        OVServer::setTokenKey(std::nullopt);
        OVServer::setLogType(0);
        OVServer::setTimeOut(0);
        OVServer::sharedInstance().setTimeOutOfInstance(0);
    }
};

}  // namespace ov::test
