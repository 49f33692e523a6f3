// voxlet-render [--voice MODEL] SCORE.json OUT.wav: sings a score document into a WAV
// file, optionally in another voice than the document's.
#include "model/VocalRequestReader.h"
#include "ScoreValidator.h"
#include "VocalRenderer.h"

#include <iostream>

namespace
{
int fail (const juce::String& message)
{
    std::cerr << "voxlet-render: " << message.toStdString() << std::endl;
    return 1;
}
} // namespace

int main (int argc, char** argv)
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (juce::CharPointer_UTF8 (argv[i]));

    juce::String voice;

    if (args.size() == 4 && args[0] == "--voice")
    {
        voice = args[1];
        args.removeRange (0, 2);
    }

    if (args.size() != 2 || args[0].startsWith ("-"))
    {
        std::cerr << "usage: voxlet-render [--voice MODEL] SCORE.json OUT.wav" << std::endl;
        return 2;
    }

    const auto cwd = juce::File::getCurrentWorkingDirectory();
    const auto scoreFile = cwd.getChildFile (args[0]);
    const auto outFile = cwd.getChildFile (args[1]);

    if (! scoreFile.existsAsFile())
        return fail ("cannot read " + scoreFile.getFullPathName());

    if (scoreFile.getSize() > ScoreValidator::maxDocumentBytes)
        return fail (scoreFile.getFullPathName() + " is larger than 4 MiB");

    createVocalRequest request;
    juce::String error;

    juce::MemoryBlock bytes;

    if (! scoreFile.loadFileAsData (bytes))
        return fail ("cannot read " + scoreFile.getFullPathName());

    if (! VocalRequestReader::read (bytes.getData(), bytes.getSize(), request, error))
        return fail (error);

    if (voice.isNotEmpty())
        request.model = voice;

    if (const auto fault = VocalRenderer::renderToFile (request, outFile); fault.isNotEmpty())
        return fail (fault);

    return 0;
}
