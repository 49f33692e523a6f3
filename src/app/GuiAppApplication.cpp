#include "GuiAppApplication.h"

#include "MainView.h"

#include <limits>

const juce::String GuiAppApplication::getApplicationName() { return "Voxlet"; }

const juce::String GuiAppApplication::getApplicationVersion() { return "0.0.1"; }

bool GuiAppApplication::moreThanOneInstanceAllowed() { return true; }

void GuiAppApplication::initialise (const juce::String&)
{
    mainWindow = std::make_unique<MainWindow> (getApplicationName());

    // After the view asked for its own height, so the window opens at the minimum size.
    mainWindow->setResizeLimits (minimumWidth, minimumHeight, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
}

void GuiAppApplication::shutdown() { mainWindow = nullptr; }

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

void GuiAppApplication::MainWindow::closeButtonPressed()
{
    juce::JUCEApplication::getInstance()->systemRequestedQuit();
}
