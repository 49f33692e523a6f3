#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

// The test process is a GUI process: components, timers and the message loop work,
// with the test thread as the message thread.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI gui;
    return RUN_ALL_TESTS();
}
