#include "support/TemporaryFolder.h"
#include "support/X11Session.h"

#include <functional>
#include <gtest/gtest.h>

namespace
{
// The built program, started as a user would start it, with its own home folder.
class RunningApp
{
public:
    explicit RunningApp (const juce::File& home)
    {
        started = process.start (juce::StringArray { "env", "-u", "XDG_CACHE_HOME", "HOME=" + home.getFullPathName(), VOXLET_APP_PATH }, 0);
    }

    // Closes the window as the window manager's close button does and waits for the exit.
    // Under a heavily loaded display server a close request can get lost in a burst of
    // configure events, so one more is sent when the first got no answer.
    bool closeAndWait (const X11Session& session, const juce::String& window, int timeoutMs)
    {
        if (! session.close (window))
            return false;

        if (process.waitForProcessToFinish (timeoutMs / 3))
            return true;

        session.close (window);
        return process.waitForProcessToFinish (timeoutMs);
    }

    ~RunningApp()
    {
        if (process.isRunning())
            process.kill();
    }

    bool started = false;
    juce::ChildProcess process;
};

constexpr int windowTimeoutMs = 20000;
// Generous: on a loaded machine a fresh process can take a while to answer.
constexpr int quitTimeoutMs = 15000;

// The window manager applies sizes asynchronously: wait until the window has settled.
juce::Rectangle<int> settledGeometry (const X11Session& session, const juce::String& window, std::function<bool (juce::Rectangle<int>)> settled)
{
    auto geometry = session.geometryOf (window);

    for (int waited = 0; waited < 10000 && ! settled (geometry); waited += 50)
    {
        juce::Thread::sleep (50);
        geometry = session.geometryOf (window);
    }

    return geometry;
}

// The geometry once it has stopped changing for half a second.
juce::Rectangle<int> stableGeometry (const X11Session& session, const juce::String& window)
{
    auto geometry = session.geometryOf (window);

    for (int waited = 0, unchanged = 0; waited < 10000 && unchanged < 500; waited += 50)
    {
        juce::Thread::sleep (50);
        const auto now = session.geometryOf (window);
        unchanged = now == geometry ? unchanged + 50 : 0;
        geometry = now;
    }

    return geometry;
}

// What the user sees as the window: its own area and the frame around it.
juce::Rectangle<int> outerGeometry (const X11Session& session, const juce::String& window, juce::Rectangle<int> inner)
{
    return session.frameOf (window).addedTo (inner);
}
} // namespace

TEST (MainWindow, OpensAtItsMinimumSizeAndQuitsWhenClosed)
{
    X11Session session;
    ASSERT_TRUE (session.problem().isEmpty()) << session.problem();

    TemporaryFolder home;
    RunningApp app (home.get());
    ASSERT_TRUE (app.started);

    const auto window = session.waitForWindow ("Voxlet", windowTimeoutMs, 1000);
    ASSERT_TRUE (window.isNotEmpty()) << "no window titled Voxlet";

    // The view asks for 1000 x 780; the size limits raise that to the minimum.
    const auto opened = settledGeometry (session, window, [] (auto g) { return g.getHeight() >= 800; });
    EXPECT_EQ (opened.getWidth(), 1000);
    EXPECT_EQ (opened.getHeight(), 800);

    // The program widens its limits by the frame once the window manager has framed the
    // window (its timer looks every 50 ms); a loaded machine may frame it late.
    for (int waited = 0; waited < windowTimeoutMs && session.frameOf (window).getTopAndBottom() == 0; waited += 20)
        juce::Thread::sleep (20);

    juce::Thread::sleep (500);

    // Asking for less than the minimum leaves the window's own area at the minimum.
    X11Session::run ({ "xdotool", "windowsize", window, "600", "400" }, 3000);
    const auto shrunk = stableGeometry (session, window);
    EXPECT_GE (shrunk.getWidth(), 1000);
    EXPECT_GE (shrunk.getHeight(), 800);
    EXPECT_GE (outerGeometry (session, window, shrunk).getHeight(), 800 + session.frameOf (window).getTopAndBottom());

    // Larger is fine, with no upper limit short of the screen.
    X11Session::run ({ "xdotool", "windowsize", window, "1200", "900" }, 3000);
    const auto enlarged = settledGeometry (session, window, [] (auto g) { return g.getWidth() == 1200; });
    EXPECT_EQ (enlarged.getWidth(), 1200);
    EXPECT_EQ (enlarged.getHeight(), 900);

    ASSERT_TRUE (app.closeAndWait (session, window, quitTimeoutMs)) << "still running after the window was closed";
    EXPECT_EQ (app.process.getExitCode(), 0u);
}

TEST (MainWindow, SecondCopyRunsOnItsOwn)
{
    X11Session session;
    ASSERT_TRUE (session.problem().isEmpty()) << session.problem();

    TemporaryFolder home;
    RunningApp first (home.get());
    ASSERT_TRUE (first.started);
    const auto firstWindow = session.waitForWindow ("Voxlet", windowTimeoutMs, 1000);
    ASSERT_TRUE (firstWindow.isNotEmpty());

    // The first copy noted its face; the second opens that face without a search.
    const auto note = home.get().getChildFile (".cache/voxlet/default-face");
    EXPECT_TRUE (note.loadFileAsString().contains ("Noto Sans CJK")) << note.loadFileAsString();

    RunningApp second (home.get());
    ASSERT_TRUE (second.started);

    // Both copies are up once two windows exist and both have grown to the minimum, which
    // also means both have reached their message loops.
    juce::StringArray windows;
    const auto bothUp = [&] {
        windows.clear();

        for (const auto& id : juce::StringArray::fromLines (X11Session::run ({ "xdotool", "search", "--onlyvisible", "--name", "^Voxlet$" }).trim()))
            if (id.isNotEmpty() && session.geometryOf (id).getHeight() >= 800)
                windows.add (id);

        return windows.size() == 2;
    };

    bool up = false;
    for (int waited = 0; waited < windowTimeoutMs && ! (up = bothUp()); waited += 100)
        juce::Thread::sleep (100);
    ASSERT_TRUE (up) << "windows: " << windows.joinIntoString (" ");
    ASSERT_TRUE (windows.contains (firstWindow));

    // Closing the first copy's window ends only the first copy.
    ASSERT_TRUE (first.closeAndWait (session, firstWindow, quitTimeoutMs));
    EXPECT_EQ (first.process.getExitCode(), 0u);
    EXPECT_TRUE (second.process.isRunning());

    windows.removeString (firstWindow);
    ASSERT_EQ (windows.size(), 1);
    ASSERT_TRUE (second.closeAndWait (session, windows[0], quitTimeoutMs));
    EXPECT_EQ (second.process.getExitCode(), 0u);
}
