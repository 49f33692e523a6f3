#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Mouse events as the framework delivers them to a component, for driving its handlers
// directly: `position` is where the pointer is now, `downPosition` where the press began.
inline juce::MouseEvent mouseEventOn (juce::Component& component,
                                      juce::Point<float> position,
                                      juce::Point<float> downPosition,
                                      juce::ModifierKeys modifiers = {},
                                      bool dragged = false)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(),
                             position,
                             modifiers,
                             juce::MouseInputSource::defaultPressure,
                             juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation,
                             juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY,
                             &component,
                             &component,
                             now,
                             downPosition,
                             now,
                             1,
                             dragged);
}

inline juce::MouseEvent mouseEventOn (juce::Component& component, juce::Point<float> position)
{
    return mouseEventOn (component, position, position);
}
