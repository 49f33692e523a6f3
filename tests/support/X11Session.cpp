#include "X11Session.h"

X11Session::X11Session()
{
    if (juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isEmpty())
    {
        failure = "no X display: run the tests under xvfb-run -a";
        return;
    }

    if (windowManagerRunning())
        return;

    // Without a window manager nobody creates WM_DELETE_WINDOW and close requests never
    // arrive. The previous test's openbox may still own the display while the X server
    // tidies up after it, so the new one replaces it and is started again if it gave up.
    for (int waited = 0; waited < 15000 && ! windowManagerRunning(); waited += 50)
    {
        if (windowManager == nullptr || ! windowManager->isRunning())
        {
            windowManager = std::make_unique<juce::ChildProcess>();

            if (! windowManager->start (juce::StringArray { "openbox", "--sm-disable", "--replace" }, 0))
            {
                failure = "openbox could not be started";
                return;
            }
        }

        juce::Thread::sleep (50);
    }

    if (! windowManagerRunning())
        failure = "openbox did not take over the display";
}

X11Session::~X11Session()
{
    if (windowManager != nullptr)
        windowManager->kill();
}

bool X11Session::windowManagerRunning()
{
    // A window manager that was killed leaves its check window's id on the root window, so
    // the window itself must still be there.
    const auto check = run ({ "xprop", "-root", "_NET_SUPPORTING_WM_CHECK" });

    if (! check.contains ("window id # "))
        return false;

    const auto id = check.fromFirstOccurrenceOf ("window id # ", false, false).trim();
    return run ({ "xprop", "-id", id, "_NET_SUPPORTING_WM_CHECK" }).contains ("window id");
}

juce::String X11Session::run (const juce::StringArray& command, int timeoutMs)
{
    juce::ChildProcess process;

    if (! process.start (command, juce::ChildProcess::wantStdOut))
        return {};

    auto output = process.readAllProcessOutput();
    process.waitForProcessToFinish (timeoutMs);
    return output;
}

juce::String X11Session::waitForWindow (const juce::String& title, int timeoutMs, int minimumWidth) const
{
    const auto pattern = "^" + title + "$";

    for (int waited = 0; waited <= timeoutMs; waited += 100)
    {
        // The framework shows a small placeholder window while the content is built; the
        // program's window is the one at least minimumWidth wide.
        for (const auto& id : juce::StringArray::fromLines (run ({ "xdotool", "search", "--onlyvisible", "--name", pattern }).trim()))
            if (id.isNotEmpty() && geometryOf (id).getWidth() >= minimumWidth)
                return id;

        juce::Thread::sleep (100);
    }

    return {};
}

juce::Rectangle<int> X11Session::geometryOf (const juce::String& windowId) const
{
    juce::StringPairArray values;

    for (const auto& line : juce::StringArray::fromLines (run ({ "xdotool", "getwindowgeometry", "--shell", windowId })))
        if (line.contains ("="))
            values.set (line.upToFirstOccurrenceOf ("=", false, false), line.fromFirstOccurrenceOf ("=", false, false));

    return { values["X"].getIntValue(), values["Y"].getIntValue(), values["WIDTH"].getIntValue(), values["HEIGHT"].getIntValue() };
}

juce::BorderSize<int> X11Session::frameOf (const juce::String& windowId) const
{
    // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"
    const auto values = juce::StringArray::fromTokens (run ({ "xprop", "-id", windowId, "_NET_FRAME_EXTENTS" })
                                                           .fromFirstOccurrenceOf ("=", false, false),
                                                       ",",
                                                       {});

    if (values.size() != 4)
        return {};

    return { values[2].trim().getIntValue(), values[0].trim().getIntValue(), values[3].trim().getIntValue(), values[1].trim().getIntValue() };
}

bool X11Session::close (const juce::String& windowId) const
{
    juce::ChildProcess process;
    return process.start (juce::StringArray { "wmctrl", "-i", "-c", windowId }, 0) && process.waitForProcessToFinish (5000) && process.getExitCode() == 0;
}
