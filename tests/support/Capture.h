#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// What a component shows: painted with its children into an image of its own size.
inline juce::Image paintOf (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, true);
    return image;
}

// The diagnostic lines an action writes.
inline juce::StringArray loggedBy (const std::function<void()>& action)
{
    testing::internal::CaptureStderr();
    action();
    return juce::StringArray::fromLines (juce::String (testing::internal::GetCapturedStderr()).trimEnd());
}
