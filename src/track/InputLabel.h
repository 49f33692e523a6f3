#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A read-out that turns into a text field on double-click: Return applies what was typed
// (each kind checks its own format), Escape abandons it.
class InputLabel : public juce::Component
{
public:
    explicit InputLabel (const juce::String& initialText);
    ~InputLabel() override;

    void mouseDoubleClick (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    // Reads like the C library's atoi (leading spaces, a sign, digits up to the first
    // non-digit, 0 without digits) but saturates at the int range instead of overflowing.
    static int leadingInt (const juce::String& text);

    std::unique_ptr<juce::TextEditor> editor;
    juce::String text;

protected:
    // Shows the field with this text and gives it the keyboard focus.
    void startEditing (const juce::String& editText);
    void finishEditing();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (InputLabel)
};
