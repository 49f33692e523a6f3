#include "WavHandler.h"

#include "model/Diagnostics.h"

WavHandler::WavHandler (Settings& s, WavPlayer& p, std::atomic<double>& progress)
    : CreateVocalApi (s)
    , GetVocalApi (s)
    , settings (s)
    , player (p)
    , progressValue (progress)
{
    progressValue.store (0.0);
    startExternalDrag = [] (const juce::StringArray& files, juce::Component* source) {
        return juce::DragAndDropContainer::performExternalDragDropOfFiles (files, false, source);
    };
}

WavHandler::~WavHandler()
{
    stopTimer();
    downloadTask.reset();
    stopThread (1000);
}

void WavHandler::generate (const createVocalRequest& newRequest)
{
    progressValue.store (0.0);
    wavReady = false;
    repaint();

    // The worker reads its request while it runs: a new one waits until it is free.
    if (isThreadRunning())
    {
        waitingRequest = newRequest;
        Diagnostics::write ("[WavHandler] create vocal thread busy, request waits");
        return;
    }

    startCreateWorker (newRequest);
}

void WavHandler::startCreateWorker (const createVocalRequest& newRequest)
{
    request = newRequest;
    createCancelled = false;
    progressValue.store (progressAfterStart);
    Diagnostics::write ("[WavHandler] start create vocal thread");
    startThread();
}

void WavHandler::cancel()
{
    stopTimer();
    downloadTask.reset();

    if (isThreadRunning())
        createCancelled = true;

    waitingRequest.reset();
}

bool WavHandler::ignoreCancelledAnswer()
{
    if (! createCancelled)
        return false;

    createCancelled = false;
    Diagnostics::write ("[WavHandler] answer of a cancelled create request, ignored");

    if (waitingRequest)
    {
        // The worker posts its answer as its last step; let it finish before starting again.
        waitForThreadToExit (1000);
        auto next = std::move (*waitingRequest);
        waitingRequest.reset();
        startCreateWorker (next);
    }

    return true;
}

void WavHandler::onCreateVocalSuccess (const vocalResult& job)
{
    if (ignoreCancelledAnswer())
        return;

    if (job.uid.isEmpty())
    {
        Diagnostics::write ("[WavHandler] get create vocal api result uid is empty, stop ");

        if (onError)
            onError ("create vocal api result uid is empty");

        return;
    }

    uid = job.uid;
    progressValue.store (progressAfterCreate);

    if (onJobCreated)
        onJobCreated (uid);

    startTimer (1000);
}

void WavHandler::onCreateVocalError (const juce::String& message)
{
    if (ignoreCancelledAnswer())
        return;

    if (onError)
        onError (message);
}

void WavHandler::timerCallback()
{
    const auto fail = [this] (const juce::String& line, const juce::String& message) {
        Diagnostics::write (line);
        stopTimer();

        if (onError)
            onError (message);
    };

    if (uid.isEmpty())
        return fail ("[WavHandler] timer callback uid is empty, stop timer", "uid is empty");

    const auto job = poll (uid);

    if (! job)
        return fail ("[WavHandler] get vocal failed, stop timer", "get vocal failed, uid: " + uid);

    if (job->status == kStatusCompleted)
        return startDownload (*job);

    if (job->status == kStatusError)
        return fail ("get vocal receive error, uid: " + uid, "get vocal receive error, uid: " + uid);

    Diagnostics::write ("get vocal receive status: " + job->status + "progress: " + juce::String (progressValue.load()));

    if (progressValue.load() < progressAtDownload)
        progressValue.store (progressValue.load() + 0.01);
}

juce::File WavHandler::nextResultFile() const
{
    const auto folder = Settings::resolve (settings.resultFolder);
    const auto baseName = settings.midiFile.isEmpty() ? juce::String() : juce::File::createFileWithoutCheckingPath (settings.midiFile).getFileNameWithoutExtension();

    int n = 0;

    while (n < 1000 && folder.getChildFile (baseName + "_" + juce::String (n) + ".wav").exists())
        ++n;

    return folder.getChildFile (baseName + "_" + juce::String (n) + ".wav");
}

void WavHandler::startDownload (const vocalResult& job)
{
    Diagnostics::write ("[WavHandler] get vocal success, start download path: " + job.path);

    // On a first start the folder may not exist yet (it is made at start only once a score
    // was saved), and the first vocal must not fail for it.
    Settings::resolve (settings.resultFolder).createDirectory();

    const auto target = nextResultFile();
    wavPath = target.getFullPathName();
    downloadTask = juce::URL (job.path).downloadToFile (target, juce::URL::DownloadTaskOptions().withListener (this));

    downloadStartTime = std::chrono::steady_clock::now();
    progressValue.store (progressAtDownload);
    stopTimer();

    if (downloadTask == nullptr)
    {
        // No task means no callback will ever come: report it rather than wait forever.
        Diagnostics::write ("Download failed");

        if (onError)
            onError ("download failed");

        return;
    }

    Diagnostics::write ("status code: " + juce::String (downloadTask->statusCode()));
}

void WavHandler::progress (juce::URL::DownloadTask*, juce::int64 downloaded, juce::int64 total)
{
    const auto value = progressAtDownload + (double) ((float) downloaded / (float) total) * (1.0 - progressAtDownload);

    if (value < 1.0)
        progressValue.store (value);

    Diagnostics::write ("Download progress: " + juce::String (downloaded) + "/" + juce::String (total) + ", progress: " + juce::String (progressValue.load()));
}

void WavHandler::finished (juce::URL::DownloadTask* task, bool success)
{
    // Called on the download thread; the outcome touches components.
    juce::MessageManager::callAsync ([self = juce::Component::SafePointer<WavHandler> (this), task, success] {
        if (self != nullptr)
            self->downloadFinished (task, success);
    });
}

void WavHandler::downloadFinished (juce::URL::DownloadTask* task, bool success)
{
    // A task that was cancelled or replaced in the meantime has nothing more to say.
    if (task != downloadTask.get())
        return;

    if (! success)
    {
        Diagnostics::write ("Download failed");

        if (onError)
            onError ("download failed");

        return;
    }

    const auto seconds = std::chrono::duration<double> (std::chrono::steady_clock::now() - downloadStartTime).count();
    Diagnostics::write ("download time: " + juce::String (seconds));
    Diagnostics::write ("getLengthDownloaded: " + juce::String (task->getLengthDownloaded()));
    Diagnostics::write ("getTotalLength: " + juce::String (task->getTotalLength()));
    Diagnostics::write ("hadError: " + juce::String (task->hadError() ? 1 : 0));

    loadWavFile (wavPath);
    settings.wavFile = juce::File (wavPath).getFullPathName();
}

void WavHandler::loadWavFile (const juce::String& path)
{
    if (path.isEmpty())
        return;

    const auto file = Settings::resolve (path);

    if (! file.exists())
    {
        Diagnostics::write ("failed to find wav file");

        if (onError)
            onError ("wav file not found");

        return;
    }

    auto* reader = wavFormat.createReaderFor (file.createInputStream().release(), true);

    if (reader == nullptr)
    {
        Diagnostics::write ("create reader failed");

        if (onError)
            onError ("failed to create reader");

        return;
    }

    Diagnostics::write ("wav player set reader success, sample_rate:" + juce::String (reader->sampleRate));
    player.setReader (reader);

    wavPath = file.getFullPathName();
    wavReady = file.existsAsFile();
    progressValue.store (wavReady ? 1.0 : 0.0);
    repaint();
    sendChangeMessage();
}

void WavHandler::paint (juce::Graphics& g)
{
    if (! wavReady)
        return;

    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (getLocalBounds().toFloat(), 4.0f);
    g.setColour (juce::Colours::orange);
    g.drawText ("Drag to Export", getLocalBounds(), juce::Justification::centred, true);
}

void WavHandler::mouseEnter (const juce::MouseEvent&)
{
    if (wavReady)
    {
        setMouseCursor (juce::MouseCursor::DraggingHandCursor);
        Diagnostics::write ("mouse enter");
    }
    else
    {
        Diagnostics::write ("mouse enter wav file not ready");
    }
}

void WavHandler::mouseExit (const juce::MouseEvent&)
{
    if (wavReady)
    {
        setMouseCursor (getParentComponent() != nullptr ? getParentComponent()->getMouseCursor() : juce::MouseCursor());
        Diagnostics::write ("mouse exit: 1");
    }
    else
    {
        Diagnostics::write ("mouse exit wav file not ready");
    }
}

void WavHandler::mouseDown (const juce::MouseEvent&)
{
    if (! wavReady)
    {
        Diagnostics::write ("mouse down wav file not ready");
        return;
    }

    if (startExternalDrag)
        startExternalDrag (juce::StringArray (wavPath), this);

    Diagnostics::write ("mouse down, temp file: " + wavPath);
}
