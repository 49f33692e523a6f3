#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// How the program tells the user about a failure: a title and a message. Owners take
// one of these so tests can see what would be shown.
using MessageBoxFunction = std::function<void (const juce::String& title, const juce::String& message)>;

// A message box that says when the user has closed it.
using ClosableMessageBoxFunction = std::function<void (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message, std::function<void()> onClosed)>;

// The framework's asynchronous message box with one "OK" button; the program goes on
// while it is open.
class AsyncMessageBox
{
public:
    // No icon, nothing to do when closed.
    static void show (const juce::String& title, const juce::String& message);

    static void showClosable (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message, std::function<void()> onClosed);

private:
    AsyncMessageBox() = delete;
};
