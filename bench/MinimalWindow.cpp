// The smallest framework program with a window, the yardstick for the program's start-up.
#include <juce_gui_basics/juce_gui_basics.h>

class MinimalWindowApplication : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Minimal"; }
    const juce::String getApplicationVersion() override { return "1.0"; }

    void initialise (const juce::String&) override
    {
        window = std::make_unique<juce::DocumentWindow> ("Minimal", juce::Colours::black, juce::DocumentWindow::allButtons, true);
        window->setUsingNativeTitleBar (true);
        window->centreWithSize (1000, 800);
        window->setVisible (true);
    }

    void shutdown() override { window = nullptr; }

private:
    std::unique_ptr<juce::DocumentWindow> window;
};

START_JUCE_APPLICATION (MinimalWindowApplication)
