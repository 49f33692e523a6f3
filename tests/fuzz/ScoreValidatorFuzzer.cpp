// libFuzzer target: any text through the request reader and the score checks.
#include "model/VocalRequestReader.h"
#include "ScoreValidator.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size > (std::size_t) ScoreValidator::maxDocumentBytes)
        return 0;

    createVocalRequest request;
    juce::String error;

    if (VocalRequestReader::read (data, size, request, error))
        if (ScoreValidator::check (request).isEmpty())
            ScoreValidator::lengthInSeconds (request);

    return 0;
}
