#include "app/VersionDialog.h"
#include "support/FakeService.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

namespace
{
const std::string versionPath = "/music/api/plugin/v1/verification/0.11.2";

struct VersionDialogTest : public testing::Test
{
    VersionDialogTest()
    {
        settings.baseUrl = service.baseUrl();
        dialog.setBounds (0, 0, 1000, 780);
        dialog.setVisible (true);
    }

    void check()
    {
        dialog.startThread();
        pumpMessagesUntil ([this] { return ! dialog.isVisible() || dialog.message.isNotEmpty(); }, 30000);
    }

    FakeService service;
    Settings settings;
    VersionDialog dialog { settings, "0.11.2" };
};
} // namespace

TEST_F (VersionDialogTest, AnEmptySuccessAcceptsTheVersion)
{
    service.answer ("GET", versionPath, { 204, "", "text/plain" });
    check();

    EXPECT_FALSE (dialog.isVisible());
    EXPECT_FALSE (dialog.isEnabled());
    EXPECT_EQ (service.requestCount(), 1u);
}

TEST_F (VersionDialogTest, TwoFailuresThenSuccessAccepts)
{
    service.answer ("GET", versionPath, { { 500, "a", "text/plain" }, { 500, "b", "text/plain" }, { 200, "{}" } });
    check();

    EXPECT_FALSE (dialog.isVisible());
    EXPECT_EQ (service.requestCount(), 3u);
}

TEST_F (VersionDialogTest, ARejectionKeepsTheOverlayWithTheFixedMessage)
{
    service.answer ("GET", versionPath, { 426, R"({"externalMessage": "too old"})" });
    check();

    EXPECT_TRUE (dialog.isVisible());
    EXPECT_EQ (dialog.message, juce::String (juce::CharPointer_UTF8 ("版本過舊，請至官網更新至最新版")));
    EXPECT_EQ (service.requestCount(), 3u);
}

TEST_F (VersionDialogTest, AnUnreachableServiceGivesTheSameMessage)
{
    settings.baseUrl = "http://127.0.0.1:1/music/api/plugin";
    testing::internal::CaptureStderr();
    check();
    const auto lines = juce::StringArray::fromLines (juce::String (testing::internal::GetCapturedStderr()).trimEnd());

    EXPECT_TRUE (dialog.isVisible());
    EXPECT_EQ (dialog.message, juce::String (juce::CharPointer_UTF8 ("版本過舊，請至官網更新至最新版")));
    EXPECT_EQ (lines.size(), 3);
    EXPECT_EQ (lines[0], "[VersionApi] url create input stream is nullptr");
}

TEST_F (VersionDialogTest, TheBoxSitsInTheMiddle)
{
    EXPECT_EQ (dialog.box(), juce::Rectangle<int> (300, 290, 400, 200));

    juce::Image image (juce::Image::ARGB, 1000, 780, true);
    {
        juce::Graphics g (image);
        dialog.paintEntireComponent (g, true);
    }

    EXPECT_EQ (image.getPixelAt (10, 10).getAlpha(), 0xb2);
    EXPECT_EQ (image.getPixelAt (310, 300), juce::Colours::black);
    EXPECT_EQ (image.getPixelAt (300, 400), juce::Colours::white); // the outline
}
