#pragma once

#include "audio/WavPlayer.h"
#include "model/Settings.h"
#include "service/CreateVocalApi.h"
#include "service/GetVocalApi.h"

#include <atomic>
#include <chrono>
#include <juce_gui_basics/juce_gui_basics.h>
#include <optional>

// Turns one Generate into a WAV in the player: posts the job, polls it once a second,
// downloads the result into the result folder, loads it, and keeps the shared progress
// value up to date. Once a WAV is loaded it shows "Drag to Export" and can be dragged out.
class WavHandler : public juce::Component
    , public juce::URL::DownloadTaskListener
    , public juce::Timer
    , public juce::ChangeBroadcaster
    , public CreateVocalApi
    , public GetVocalApi
{
public:
    static constexpr double progressAfterStart = 0.3;
    static constexpr double progressAfterCreate = 0.6;
    static constexpr double progressAtDownload = 0.9;

    WavHandler (Settings& settings, WavPlayer& player, std::atomic<double>& progressValue);
    ~WavHandler() override;

    std::function<void (const juce::String&)> onError;
    std::function<void (const juce::String&)> onJobCreated;

    // Starts a generation with this request. While the worker is still busy with a
    // cancelled request, this one waits and goes out as soon as the worker is free.
    void generate (const createVocalRequest& newRequest);

    // Stops polling and any download; the answer of a create request already sent is ignored.
    void cancel();

    void loadWavFile (const juce::String& path);

    // The result file for the current MIDI file: the smallest free number from 0 to 999.
    juce::File nextResultFile() const;

    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void resized() override {}

    void onCreateVocalSuccess (const vocalResult& job) override;
    void onCreateVocalError (const juce::String& message) override;
    void progress (juce::URL::DownloadTask* task, juce::int64 downloaded, juce::int64 total) override;
    void finished (juce::URL::DownloadTask* task, bool success) override;
    void timerCallback() override;

    // The external drag of the WAV; replaceable so tests can see it.
    std::function<bool (const juce::StringArray& files, juce::Component* source)> startExternalDrag;

    bool wavReady = false;
    juce::String uid;
    juce::String wavPath;

private:
    void startCreateWorker (const createVocalRequest& newRequest);
    void startDownload (const vocalResult& job);
    void downloadFinished (juce::URL::DownloadTask* task, bool success);
    bool ignoreCancelledAnswer();

    Settings& settings;
    WavPlayer& player;
    std::atomic<double>& progressValue;
    std::unique_ptr<juce::URL::DownloadTask> downloadTask;
    juce::WavAudioFormat wavFormat;
    std::chrono::steady_clock::time_point downloadStartTime;

    // A create request was cancelled while the worker still had it.
    bool createCancelled = false;
    std::optional<createVocalRequest> waitingRequest;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WavHandler)
};
