#pragma once

#include <juce_core/juce_core.h>

// The state of a rendering job, every field as the service sent it.
struct vocalResult
{
    juce::String uid;
    juce::String path;
    juce::String status;
    juce::String createdAt;
    juce::String updatedAt;
};
