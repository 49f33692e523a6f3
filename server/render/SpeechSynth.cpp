#include "SpeechSynth.h"

#include "Envelope.h"
#include "model/ScoreConstants.h"

#include <espeak-ng/speak_lib.h>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

namespace
{
std::mutex& engineLock()
{
    static std::mutex lock;
    return lock;
}

// espeak-ng, with the sound libraries it links (PulseAudio, ALSA, codecs: some thirty),
// is loaded by the first render rather than linked: loading them at exec took a few
// milliseconds of every start of the editor, which holds the renderer in its service.
struct Espeak
{
    decltype (&espeak_Initialize) initialize = nullptr;
    decltype (&espeak_SetSynthCallback) setSynthCallback = nullptr;
    decltype (&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype (&espeak_SetParameter) setParameter = nullptr;
    decltype (&espeak_Synth) synth = nullptr;
    decltype (&espeak_Synchronize) synchronize = nullptr;

    // nullptr when the library or one of its functions is missing.
    static const Espeak* get()
    {
        static const Espeak loaded = load();
        return loaded.synchronize != nullptr ? &loaded : nullptr;
    }

private:
    template <typename Function>
    static bool find (void* library, const char* name, Function& function)
    {
        function = reinterpret_cast<Function> (dlsym (library, name));
        return function != nullptr;
    }

    static Espeak load()
    {
        Espeak api;

        // Kept open for the whole run.
        auto* library = dlopen (VOXLET_ESPEAK_NG_LIBRARY, RTLD_NOW | RTLD_LOCAL);

        if (library == nullptr
            || ! (find (library, "espeak_Initialize", api.initialize) && find (library, "espeak_SetSynthCallback", api.setSynthCallback)
                  && find (library, "espeak_SetVoiceByName", api.setVoiceByName) && find (library, "espeak_SetParameter", api.setParameter)
                  && find (library, "espeak_Synth", api.synth) && find (library, "espeak_Synchronize", api.synchronize)))
            return {};

        return api;
    }
};

struct Capture
{
    std::vector<short> pcm;
    std::vector<int> phonemeStarts;
    int pauseSample = -1;
};

int onSynth (short* wav, int count, espeak_EVENT* events)
{
    auto* capture = static_cast<Capture*> (events->user_data);

    for (auto* e = events; e->type != espeakEVENT_LIST_TERMINATED; ++e)
    {
        if (e->type != espeakEVENT_PHONEME)
            continue;

        // Pause phonemes start with "_"; the first one ends the syllable's sound.
        if (e->id.string[0] == '_')
        {
            if (capture->pauseSample < 0)
                capture->pauseSample = e->sample;
        }
        else if (capture->pauseSample < 0)
            capture->phonemeStarts.push_back (e->sample);
    }

    if (wav != nullptr && count > 0)
        capture->pcm.insert (capture->pcm.end(), wav, wav + count);

    return 0;
}

// Pinyin initials (y and w are glides, sung with the vowel).
bool hasInitial (const juce::String& pinyin)
{
    static const char* const initials[] = { "zh", "ch", "sh", "b", "p", "m", "f", "d", "t", "n", "l", "g", "k", "h", "j", "q", "x", "r", "z", "c", "s" };

    for (const auto* initial : initials)
        if (pinyin.startsWith (initial) && pinyin.length() > (int) std::strlen (initial)
            && juce::String ("aeiouv").containsChar (pinyin[(int) std::strlen (initial)]))
            return true;

    return false;
}

// Finds the vowel's loudest 10 ms and the last frame still at half of it.
void measureEnvelope (SpokenSyllable& syllable)
{
    const auto total = (int) syllable.samples.size();
    const auto frame = (int) (syllable.sampleRate * Envelope::frameSeconds);
    const auto levels = Envelope::frameLevels (syllable.samples, syllable.vowelStart, total, syllable.sampleRate);

    syllable.level = levels.empty() ? 0.0f : *std::max_element (levels.begin(), levels.end());
    syllable.decayStart = total;

    for (auto i = (int) levels.size() - 1; i >= 0; --i)
        if (levels[(size_t) i] >= 0.5f * syllable.level)
        {
            syllable.decayStart = std::min (total, syllable.vowelStart + (i + 1) * frame);
            break;
        }
}

int sampleRate = 0;
juce::String currentVoice;
} // namespace

bool SpeechSynth::initialise (juce::String& error)
{
    const std::lock_guard<std::mutex> hold (engineLock());

    const auto* api = Espeak::get();

    if (api == nullptr)
    {
        error = "espeak-ng could not be loaded (is libespeak-ng1 installed?)";
        return false;
    }

    if (sampleRate <= 0)
    {
        sampleRate = api->initialize (AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_PHONEME_EVENTS | espeakINITIALIZE_DONT_EXIT);

        if (sampleRate > 0)
            api->setSynthCallback (onSynth);
    }

    if (sampleRate <= 0)
        error = "espeak-ng could not be initialised (is espeak-ng-data installed?)";

    return sampleRate > 0;
}

juce::String SpeechSynth::voiceFor (const juce::String& voiceModel)
{
    if (voiceModel == kDefaultVoiceModel)
        return "cmn-latn-pinyin";

    if (voiceModel == kFemaleVoiceModel)
        return "cmn-latn-pinyin+steph";

    return {};
}

bool SpeechSynth::speak (const juce::String& voiceName, const juce::String& pinyin, int pitch, SpokenSyllable& result)
{
    Capture capture;

    {
        const std::lock_guard<std::mutex> hold (engineLock());

        // Only after initialise() succeeded, so the library is loaded.
        const auto* api = Espeak::get();

        if (sampleRate <= 0 || api == nullptr)
            return false;

        if (voiceName != currentVoice)
        {
            if (api->setVoiceByName (voiceName.toRawUTF8()) != EE_OK)
                return false;

            currentVoice = voiceName;
        }

        // Range 0 makes espeak-ng speak at one flat pitch, whatever the tone.
        api->setParameter (espeakRANGE, 0, 0);
        api->setParameter (espeakPITCH, juce::jlimit (0, 100, pitch), 0);

        const auto text = pinyin.toStdString();

        if (api->synth (text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &capture) != EE_OK
            || api->synchronize() != EE_OK)
            return false;
    }

    if (capture.phonemeStarts.empty() || capture.pcm.empty())
        return false;

    const auto total = (int) capture.pcm.size();
    const auto begin = juce::jlimit (0, total, capture.phonemeStarts.front());
    const auto end = juce::jlimit (begin, total, capture.pauseSample >= 0 ? capture.pauseSample : total);

    if (end - begin < 64)
        return false;

    auto vowel = begin;

    if (hasInitial (pinyin) && capture.phonemeStarts.size() > 1)
        vowel = juce::jlimit (begin, end - 32, capture.phonemeStarts[1]);

    result.sampleRate = sampleRate;
    result.vowelStart = vowel - begin;
    result.samples.resize ((size_t) (end - begin));

    for (int i = begin; i < end; ++i)
        result.samples[(size_t) (i - begin)] = capture.pcm[(size_t) i] / 32768.0f;

    measureEnvelope (result);
    return result.level > 0.0f;
}
