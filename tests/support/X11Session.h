#pragma once

#include <juce_core/juce_core.h>
#include <juce_graphics/juce_graphics.h>

// The X display the tests run on, driven from outside as a user's desktop would:
// a window manager (started here when none runs), windows found by title, geometry read
// and windows closed through the window manager.
class X11Session
{
public:
    X11Session();
    ~X11Session();

    // Empty when the session is usable, otherwise why not.
    juce::String problem() const { return failure; }

    // The id of a visible window whose title is exactly `title` and that is at least
    // `minimumWidth` wide, or empty after the timeout.
    juce::String waitForWindow (const juce::String& title, int timeoutMs, int minimumWidth = 0) const;

    // The window's own area, without the frame the window manager draws around it.
    juce::Rectangle<int> geometryOf (const juce::String& windowId) const;

    // Left, right, top and bottom of the window manager's frame around the window.
    juce::BorderSize<int> frameOf (const juce::String& windowId) const;

    // Asks the window manager to close the window, as its close button does.
    bool close (const juce::String& windowId) const;

    // Runs a command to its end and returns what it printed on standard output.
    static juce::String run (const juce::StringArray& command, int timeoutMs = 10000);

private:
    static bool windowManagerRunning();

    std::unique_ptr<juce::ChildProcess> windowManager;
    juce::String failure;
};
