#include "MainView.h"

#include "model/Diagnostics.h"
#include "model/LyricRules.h"
#include "model/ScoreJson.h"
#include "style/DefaultTypeface.h"

MainView::MainView (ClosableMessageBoxFunction notifier)
    : config ([notifier] (const juce::String& title, const juce::String& message) {
        // The settings' messages at start go through the same notifier.
        notifier (juce::MessageBoxIconType::NoIcon, title, message, {});
    })
    , notify (notifier)
{
    Diagnostics::write ("mac os version:" + juce::SystemStats::getOperatingSystemName());

    // Before anything is painted, so every unnamed font can show Chinese.
    DefaultTypeface::apply (getLookAndFeel());

    versionString = juce::String (0) + "." + juce::String (11) + "." + juce::String (2);
    setWantsKeyboardFocus (true);

    addAndMakeVisible (keyboard);
    addAndMakeVisible (modeController);
    addAndMakeVisible (gridController);
    addAndMakeVisible (wavPlayer);

    tempoEditor.onChange = [this] {
        saveScore();
        metadata.tempoChanges = tempoEditor.getTempoChanges();
        repaint();
    };
    addAndMakeVisible (tempoEditor);

    timeSignatureEditor.onChange = [this] {
        saveScore();
        metadata.timeSignatureChanges = timeSignatureEditor.getTimeSignatureChanges();
        repaint();
    };
    addAndMakeVisible (timeSignatureEditor);

    midiRegion = std::make_unique<MidiRegion> (state, keyboard, wavPlayer, metadata, midiConverter, zoomSlider, config, lyricsEditor, modeController, gridController, tempoEditor);
    midiRegion->addChangeListener (this);
    connectScorePanels();

    zoomSlider.setRange (0.2, 0.8, 0.0);
    zoomSlider.onValueChange = [this] { midiRegion->applyZoom(); };

    volumeEditor = std::make_unique<VolumeEditor> (1.0f);
    volumeEditor->setSize (180, 40);
    volumeEditor->onVolumeChange = [this] (float volume) { wavPlayer.transportSource.setGain (volume); };
    addAndMakeVisible (*volumeEditor);

    voiceListLookAndFeel = std::make_shared<VoiceListLookAndFeel>();
    voiceBox.addItem (VoiceListLookAndFeel::textOf (VoiceListLookAndFeel::femaleId), VoiceListLookAndFeel::femaleId);
    voiceBox.addItem (VoiceListLookAndFeel::textOf (VoiceListLookAndFeel::maleId), VoiceListLookAndFeel::maleId);
    voiceBox.setSelectedId (VoiceListLookAndFeel::maleId, juce::sendNotificationAsync);
    voiceBox.setLookAndFeel (voiceListLookAndFeel.get());
    voiceBox.onChange = [this] { voice = VoiceListLookAndFeel::modelOf (voiceBox.getSelectedId()); };
    addAndMakeVisible (voiceBox);

    connectGeneration();

    openFolderButton.setButtonText ("open wav folder");
    openFolderButton.onClick = [this] {
        const auto folder = Settings::resolve (config.resultFolder);

        if (folder.isDirectory())
            folder.startAsProcess();
    };
    addAndMakeVisible (openFolderButton);

    lyricsEditor.setMultiLine (true, true);
    lyricsEditor.setReturnKeyStartsNewLine (true);
    lyricsEditor.setText (config.lyrics, false);
    lyricsEditor.onTextChange = [this] {
        midiRegion->notePanel->noteBox.update();
        updateGenerateEnabled();
        config.lyrics = lyricsEditor.getText();
        repaint();
    };
    addAndMakeVisible (lyricsEditor);

    setSize (initialWidth, initialHeight);

    connectConversion();
    midiRegion->restoreFromSettings();

    midiRegion->onNotesChanged = [this] {
        saveScore();
        repaint();
    };

    wavHandler->loadWavFile (config.wavFile);

    wavPlayer.onStop = [this] {
        midiRegion->setPlayPosition (0);
        midiRegion->centreOnPlayhead();
    };

    // Scanning and opening the audio device takes from a few to tens of milliseconds,
    // which the window need not wait for.
    juce::MessageManager::callAsync ([view = juce::Component::SafePointer<MainView> (this)] {
        if (view != nullptr)
            view->openAudio();
    });

    versionDialog = std::make_unique<VersionDialog> (config, versionString);
    versionDialog->setBounds (0, 0, getWidth(), getHeight());
    versionDialog->startThread();
    versionDialog->setAlwaysOnTop (true);
    addAndMakeVisible (*versionDialog);

    startTimer (1000);
}

void MainView::openAudio()
{
    deviceSelector = std::make_unique<DeviceSelector> (deviceManager);
    deviceSelector->showError = [this] (const juce::String& title, const juce::String& message) {
        notify (juce::MessageBoxIconType::WarningIcon, title, message, {});
    };
    addAndMakeVisible (*deviceSelector);
    resized();

    deviceManager.initialise (0, 2, nullptr, true);
    deviceManager.addAudioCallback (&audioSourcePlayer);
    audioSourcePlayer.setSource (&wavPlayer.transportSource);
}

void MainView::connectScorePanels()
{
    midiRegion->onPlayPosition = [this] (int tick, const BarsData& position) { trackMonitor->showPosition (tick, position); };
    midiRegion->onScoreChanged = [this] (vocalMetadata header) {
        metadata = header;
        tempoEditor.setTempoChanges (metadata.ticksPerBeat, metadata.tempoChanges);
        timeSignatureEditor.setTimeSignatureChanges (metadata.timeSignatureChanges);
        trackMonitor->barsController->barTable = buildBarTable (metadata.ticksPerBeat, timeSignatureEditor.getTimeSignatureChanges());
    };

    trackMonitor = std::make_unique<TrackMonitor> (metadata, tempoEditor, timeSignatureEditor);
    trackMonitor->setSize (160, 30);
    trackMonitor->onSeek = [this] (int tick) {
        midiRegion->setPlayPosition (tick);
        midiRegion->centreOnPlayhead();
    };

    addAndMakeVisible (*midiRegion);
    addAndMakeVisible (*trackMonitor);
}

void MainView::connectGeneration()
{
    wavHandler = std::make_unique<WavHandler> (config, wavPlayer, progress.value);
    wavHandler->addChangeListener (this);
    wavHandler->setAlwaysOnTop (true);
    wavHandler->onError = [this] (const juce::String& message) {
        notify (juce::MessageBoxIconType::WarningIcon, "Failed to create vocal", message, [this] {
            leaveBusyState();
            generateButton->showGenerateFace();
            updateGenerateEnabled();
        });
    };
    wavHandler->onJobCreated = [this] (const juce::String&) { repaint(); };
    addAndMakeVisible (*wavHandler);

    progressBar = std::make_unique<juce::ProgressBar> (progress.shown);
    progressBar->setColour (juce::ProgressBar::foregroundColourId, juce::Colour (0xffffa500));
    addAndMakeVisible (*progressBar);

    generateButton = std::make_unique<GenerateButton>();
    generateButton->onGenerate = [this] {
        const auto request = buildRequest (false);
        enterBusyState();
        wavHandler->generate (request);
    };
    generateButton->onCancel = [this] {
        wavHandler->cancel();
        leaveBusyState();
        updateGenerateEnabled();
    };
    addAndMakeVisible (*generateButton);
}

void MainView::connectConversion()
{
    midiConverter.onResponse = [this] (const juce::String& text) { config.saveScoreText (text); };
    midiConverter.onError = [this] (const juce::String& message) {
        notify (juce::MessageBoxIconType::NoIcon, "Error", message, [this] {
            if (metadata.ticksPerBeat > 0)
            {
                state.set (StateController::loaded);
                midiRegion->restoreFromSettings();
            }
            else
            {
                state.set (StateController::empty);
            }

            midiRegion->notePanel->setVisible (true);
            midiRegion->repaint();
        });
    };
    midiConverter.onScoreReady = [this] (int length, createVocalRequest request) {
        metadata.ticksPerBeat = request.metadata.ticksPerBeat;
        metadata.numberOfBars = request.metadata.numberOfBars;
        metadata.tempoChanges = request.metadata.tempoChanges;
        metadata.timeSignatureChanges = request.metadata.timeSignatureChanges;
        state.set (StateController::loaded);
        config.midiFile = midiConverter.midiFile == juce::File() ? config.midiFile : midiConverter.midiFile.getFullPathName();
        midiRegion->showScore (length, request.instruments.isEmpty() ? juce::Array<vocalNote>() : request.instruments.getReference (0).notes);
    };
}

MainView::~MainView()
{
    stopTimer();
    audioSourcePlayer.setSource (nullptr);
    deviceManager.removeAudioCallback (&audioSourcePlayer);
    voiceBox.setLookAndFeel (nullptr);
}

void MainView::enterBusyState()
{
    auto& panel = *midiRegion->notePanel;
    panel.noteBox.busy = true;
    panel.addAndMakeVisible (panel.blocker);
    panel.blocker.setBounds (0, 0, panel.getWidth(), panel.getHeight());
    panel.blocker.toFront (false);

    for (auto& note : panel.noteBox.notes)
        note->state = MidiNote::locked;

    panel.repaint();
}

void MainView::leaveBusyState()
{
    auto& panel = *midiRegion->notePanel;
    panel.noteBox.busy = false;
    panel.blocker.setVisible (false);
    panel.removeChildComponent (&panel.blocker);

    for (auto& note : panel.noteBox.notes)
        note->state = MidiNote::normal;

    panel.repaint();

    const auto seconds = wavPlayer.transportSource.getLengthInSeconds();
    midiRegion->timeLine->audioEndTick = tempoEditor.tickAtSeconds (seconds, metadata.ticksPerBeat);
    midiRegion->timeLine->repaint();

    wavPlayer.setButtonsEnabled (wavPlayer.transportSource.getTotalLength() > 0);

    wavHandler->wavReady = Settings::resolve (wavHandler->wavPath).existsAsFile();
    progress.value.store (wavHandler->wavReady ? 1.0 : 0.0);
    wavHandler->repaint();
    repaint();
}

void MainView::updateGenerateEnabled() { generateButton->generateButton->setEnabled (midiRegion->canGenerate()); }

createVocalRequest MainView::buildRequest (bool allNotes)
{
    createVocalRequest request;
    request.metadata.ticksPerBeat = metadata.ticksPerBeat;
    request.metadata.numberOfBars = metadata.numberOfBars;
    request.metadata.timeSignatureChanges = timeSignatureEditor.getTimeSignatureChanges();
    request.metadata.tempoChanges = tempoEditor.getTempoChanges();

    auto& noteBox = midiRegion->notePanel->noteBox;
    request.instruments.getReference (0).notes = allNotes ? noteBox.allNotes() : noteBox.notesWithWords();
    request.model = voice;
    return request;
}

void MainView::saveScore()
{
    const auto request = buildRequest (true);

    if (request.metadata.numberOfBars == 0)
        return;

    config.saveScoreText (vocalRequestToJsonText (request));
}

void MainView::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == wavHandler.get())
    {
        leaveBusyState();
        generateButton->showGenerateFace();
    }

    updateGenerateEnabled();
    repaint();
}

void MainView::timerCallback() { config.save(); }

void MainView::resized()
{
    const auto W = getWidth(), H = getHeight();
    const auto T = H - juce::jmin (H, 480);

    lyricsEditor.setBounds (20, 30, 250, 210);
    voiceBox.setBounds (300, 30, 220, 30);
    openFolderButton.setBounds (W - juce::jmin (W, 70) - 50, 130, 100, 40);
    zoomSlider.setBounds (250, 270, 450, 30);
    keyboard.setBounds (20, T, 50, 450);

    const auto K = keyboard.getRight();
    const auto R = juce::jmax (0, W - K) - 20;
    const auto S = juce::jmin (R, 120);
    const auto X = K + R - S;
    const auto Y = T - 32;

    midiRegion->setBounds (K, T, R, 450);
    wavPlayer.setBounds (40, T - 28, 105, 15);
    volumeEditor->setBounds (160, T - 48, 180, 40);
    progressBar->setBounds (X, Y, S, 25);
    wavHandler->setBounds (X, Y, S, 25);
    if (deviceSelector != nullptr)
        deviceSelector->setBounds (X - 160, T - 72, 280, 30);
    generateButton->setBounds (X - 93, Y, 80, 30);
    modeController.setBounds (X - 193, Y, 80, 30);
    gridController.setBounds (X - 293, Y, 80, 30);
    trackMonitor->setBounds (X - 483, Y, 160, 30);
}

void MainView::paint (juce::Graphics& g)
{
    const auto W = getWidth(), H = getHeight();
    g.fillAll (juce::Colour (0xff000000));

    g.setColour (juce::Colour (0xff96938f));
    const auto lyrics = lyricsEditor.getText();
    g.drawText ("Lyrics: " + juce::String (splitLyrics (lyrics).size()), juce::Rectangle<int> (W - juce::jmin (W, 140), 30, 120, 30), juce::Justification::centredRight, true);
    g.drawText ("Notes: " + juce::String ((int) midiRegion->notePanel->noteBox.notes.size()), juce::Rectangle<int> (W - juce::jmin (W, 140), 60, 120, 30), juce::Justification::centredRight, true);
    g.drawText (config.midiFile, juce::Rectangle<int> (20, H - juce::jmin (H, 30), juce::jmax (W, 40) - 40, juce::jmin (H, 30)), juce::Justification::centredRight, true);

    g.setColour (juce::Colour (0xff68635f));
    g.drawText ("v" + versionString, juce::Rectangle<int> (300, 65, 60, 30), juce::Justification::centredLeft, true);

    if (containsInvalidLyricsChar (lyrics))
    {
        g.setColour (juce::Colour (0xffff0000));
        g.drawText (juce::String (juce::CharPointer_UTF8 ("只能輸入中文與這些標點符號")), juce::Rectangle<int> (300, 100, 300, 30), juce::Justification::topLeft, true);
        g.drawText (juce::String (juce::CharPointer_UTF8 (kLyricsHintLine)), juce::Rectangle<int> (300, 130, 300, 30), juce::Justification::topLeft, true);
    }
}
