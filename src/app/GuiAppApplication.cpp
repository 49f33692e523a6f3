#include "GuiAppApplication.h"

#include "EmbeddedService.h"
#include "MainView.h"
#include "style/DefaultFaceCheck.h"
#include "style/DefaultTypeface.h"

#include <limits>

GuiAppApplication::GuiAppApplication() = default;

GuiAppApplication::~GuiAppApplication() = default;

const juce::String GuiAppApplication::getApplicationName() { return "Voxlet"; }

const juce::String GuiAppApplication::getApplicationVersion() { return "0.0.1"; }

bool GuiAppApplication::moreThanOneInstanceAllowed() { return true; }

void GuiAppApplication::initialise (const juce::String&)
{
    // Bound before the window asks its version question; binding a loopback socket takes
    // well under a millisecond and the renderer loads only on the first job.
    service = std::make_unique<EmbeddedService>();
    service->start (EmbeddedService::defaultDataDir());

    mainWindow = std::make_unique<MainWindow> (getApplicationName());

    // After the view asked for its own height, so the window opens at the minimum size.
    mainWindow->setResizeLimits (minimumWidth, minimumHeight, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
    mainWindow->keepViewAtMinimum (minimumWidth, minimumHeight);

    // The window opened with the face noted at an earlier start; fontconfig is asked
    // only now, beside the running program.
    if (DefaultTypeface::wasRemembered())
    {
        faceCheck = std::make_unique<DefaultFaceCheck> (FaceMemo::defaultLocation());
        faceCheck->start();
    }
}

void GuiAppApplication::shutdown()
{
    faceCheck = nullptr;
    mainWindow = nullptr;
    service = nullptr;
}

void GuiAppApplication::systemRequestedQuit() { quit(); }

void GuiAppApplication::anotherInstanceStarted (const juce::String&) {}

GuiAppApplication::MainWindow::MainWindow (const juce::String& name)
    : DocumentWindow (name,
                      juce::Desktop::getInstance().getDefaultLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId),
                      DocumentWindow::allButtons,
                      true)
{
    setUsingNativeTitleBar (true);
    setContentOwned (new MainView(), true);
    setResizable (true, true);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);
}

GuiAppApplication::MainWindow::~MainWindow() { stopTimer(); }

void GuiAppApplication::MainWindow::keepViewAtMinimum (int minimumWidth, int minimumHeight)
{
    viewMinimumWidth = minimumWidth;
    viewMinimumHeight = minimumHeight;
    startTimer (50);
}

void GuiAppApplication::MainWindow::timerCallback()
{
    auto* peer = getPeer();

    if (peer == nullptr)
        return;

    const auto frame = peer->getFrameSizeIfPresent();

    // Until the window manager has framed the window, or when it draws no frame at all.
    if (! frame || frame->getTopAndBottom() + frame->getLeftAndRight() == 0)
        return;

    stopTimer();
    setResizeLimits (viewMinimumWidth + frame->getLeftAndRight(), viewMinimumHeight + frame->getTopAndBottom(), std::numeric_limits<int>::max(), std::numeric_limits<int>::max());

    // The window manager learns new limits only when the window's bounds are set again.
    peer->setBounds (peer->getBounds(), false);
}

void GuiAppApplication::MainWindow::closeButtonPressed()
{
    juce::JUCEApplication::getInstance()->systemRequestedQuit();
}
