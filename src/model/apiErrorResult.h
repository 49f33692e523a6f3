#pragma once

#include <juce_core/juce_core.h>

// The body of an error reply of the service.
struct apiErrorResult
{
    int statusCode = 0;
    juce::String message;
    juce::String externalMessage;
    int externalCode = 0;
};
