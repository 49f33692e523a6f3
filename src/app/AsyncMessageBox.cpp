#include "AsyncMessageBox.h"

void AsyncMessageBox::show (const juce::String& title, const juce::String& message)
{
    juce::NativeMessageBox::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, title, message);
}

void AsyncMessageBox::showClosable (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message, std::function<void()> onClosed)
{
    juce::NativeMessageBox::showMessageBoxAsync (icon, title, message, nullptr, juce::ModalCallbackFunction::create ([onClosed] (int) {
                                                     if (onClosed)
                                                         onClosed();
                                                 }));
}
