#include "AsyncMessageBox.h"

void AsyncMessageBox::show (const juce::String& title, const juce::String& message)
{
    juce::NativeMessageBox::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, title, message);
}
