#pragma once

#include <juce_events/juce_events.h>

#include <functional>

// Runs the message loop until `done` holds or the time runs out; true when it held.
// Outcomes posted to the message thread arrive only while this runs.
inline bool pumpMessagesUntil (const std::function<bool()>& done, int timeoutMs = 15000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (! done())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    return true;
}

// Runs the message loop for a while, to let anything still queued arrive.
inline void pumpMessagesFor (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}
