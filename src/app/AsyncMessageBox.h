#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// How the program tells the user about a failure: a title and a message. Owners take
// one of these so tests can see what would be shown.
using MessageBoxFunction = std::function<void (const juce::String& title, const juce::String& message)>;

// The framework's asynchronous message box, with no icon and one "OK" button; the
// program goes on while it is open.
class AsyncMessageBox
{
public:
    static void show (const juce::String& title, const juce::String& message);

private:
    AsyncMessageBox() = delete;
};
