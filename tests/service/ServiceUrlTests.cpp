#include "service/ServiceUrl.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST (ServiceUrl, LocalServiceUnlessTheEnvironmentNamesAnother)
{
    unsetenv (ServiceUrl::overrideVariable);
    EXPECT_EQ (ServiceUrl::defaultBaseUrl(), "http://127.0.0.1:18622/music/api/plugin");

    setenv (ServiceUrl::overrideVariable, "", 1);
    EXPECT_EQ (ServiceUrl::defaultBaseUrl(), "http://127.0.0.1:18622/music/api/plugin");

    setenv (ServiceUrl::overrideVariable, "http://127.0.0.1:9/other/", 1);
    EXPECT_EQ (ServiceUrl::defaultBaseUrl(), "http://127.0.0.1:9/other/");

    unsetenv (ServiceUrl::overrideVariable);
}
