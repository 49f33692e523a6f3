#include "Diagnostics.h"

#include <mutex>

juce::String Diagnostics::toSingleLine (const juce::String& text)
{
    return text.replace ("\r\n", "\\n").replace ("\n", "\\n").replace ("\r", "\\n");
}

void Diagnostics::write (const juce::String& text)
{
    // Workers write too; the lock keeps lines from different threads whole.
    static std::mutex lock;
    const std::lock_guard<std::mutex> guard (lock);

    // The framework's debug output ends the line and flushes the standard error stream.
    juce::Logger::outputDebugString (toSingleLine (text));
}
