// Generate pressed to WAV loaded, with the program's own service in this process, for a
// 16-bar score of 32 notes. Prints one line per run; the first run includes loading
// espeak-ng. Run under a display: xvfb-run -a build/bin/voxlet_generate_bench
#include "app/EmbeddedService.h"
#include "app/MainView.h"

#include <cstdio>
#include <cstdlib>

namespace
{
bool pumpUntil (const std::function<bool()>& done, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (! done())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
    }

    return true;
}
} // namespace

int main()
{
    const auto home = juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("voxlet-bench", "", false);
    home.createDirectory();
    setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
    unsetenv ("VOXLET_SERVICE_URL");

    int failures = 0;

    {
        juce::ScopedJuceInitialiser_GUI gui;
        EmbeddedService service;

        if (! service.start (EmbeddedService::defaultDataDir()))
            return 1;

        MainView view ([&failures] (juce::MessageBoxIconType, const juce::String&, const juce::String& message, std::function<void()>) {
            std::fprintf (stderr, "message: %s\n", message.toRawUTF8());
            ++failures;
        });
        view.setSize (1000, 800);
        pumpUntil ([&] { return ! view.versionDialog->isVisible(); }, 10000);

        juce::Array<vocalNote> notes;
        const juce::String words (juce::CharPointer_UTF8 ("天上的星星不說話地上的娃娃想媽媽天上的眼睛眨呀眨媽媽的心呀魯冰花"));
        const int pitches[] = { 60, 62, 64, 65, 67, 65, 64, 62 };

        for (int i = 0; i < 32; ++i)
            notes.add ({ i * 960, i * 960 + 900, {}, pitches[i % 8] });

        view.midiRegion->notePanel->setNotes (notes);
        view.metadata.ticksPerBeat = 480;
        view.metadata.numberOfBars = 16;
        view.metadata.tempoChanges = { tempoChange { 0, 120.0 } };
        view.metadata.timeSignatureChanges = { timeSignatureChange { 0, 4, 4 } };
        view.lyricsEditor.setText (words.substring (0, 32), true);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (100);

        for (int run = 0; run < 4 && failures == 0; ++run)
        {
            const auto previous = view.config.wavFile;
            const auto start = juce::Time::getMillisecondCounterHiRes();
            view.generateButton->generateButton->triggerClick();

            if (! pumpUntil ([&] { return (view.wavHandler->wavReady && view.config.wavFile != previous) || failures > 0; }, 30000))
                ++failures;

            const auto ms = juce::Time::getMillisecondCounterHiRes() - start;
            std::printf ("generate to WAV loaded, run %d%s: %.0f ms\n", run + 1, run == 0 ? " (loads espeak-ng)" : "", ms);
            std::fflush (stdout);
            pumpUntil ([&] { return view.generateButton->generateButton->isVisible(); }, 5000);
            juce::MessageManager::getInstance()->runDispatchLoopUntil (200);
        }
    }

    home.deleteRecursively();
    return failures == 0 ? 0 : 1;
}
