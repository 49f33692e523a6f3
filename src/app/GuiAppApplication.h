#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class DefaultFaceCheck;
class EmbeddedService;

// The application object: it starts the local service and creates the one window; the
// main view does the rest.
class GuiAppApplication : public juce::JUCEApplication
{
public:
    static constexpr int minimumWidth = 1000;
    static constexpr int minimumHeight = 800;

    GuiAppApplication();
    ~GuiAppApplication() override;

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;

    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    void systemRequestedQuit() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;

    // The single document window, owning the main view as its content.
    class MainWindow : public juce::DocumentWindow
        , private juce::Timer
    {
    public:
        explicit MainWindow (const juce::String& name);
        ~MainWindow() override;

        // Closing the window quits at once: scores and settings are already saved.
        void closeButtonPressed() override;

        // The framework counts size limits with the window manager's frame, which on X11
        // is known only once the window is mapped; the limits are widened by it then, so
        // the view itself never gets smaller than the minimum.
        void keepViewAtMinimum (int minimumWidth, int minimumHeight);

    private:
        void timerCallback() override;

        int viewMinimumWidth = 0, viewMinimumHeight = 0;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainWindow)
    };

private:
    std::unique_ptr<EmbeddedService> service;
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<DefaultFaceCheck> faceCheck;
};
