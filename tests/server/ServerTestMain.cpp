#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

// The service and its renderer have no GUI: a plain main with the framework's core.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    return RUN_ALL_TESTS();
}
