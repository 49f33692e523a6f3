#pragma once

#include "style/NoBorderLookAndFeel.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Starts and cancels a generation: "歌聲生成" while idle, "取消" while a generation runs,
// two text buttons on the same area with one shown at a time.
class GenerateButton : public juce::Component
{
public:
    static constexpr juce::uint32 textColour = 0xffff6d00;

    GenerateButton();
    ~GenerateButton() override;

    void resized() override;

    // Back to the generate face, as after a finished or failed generation.
    void showGenerateFace();

    std::function<void()> onGenerate;
    std::function<void()> onCancel;

    std::shared_ptr<NoBorderLookAndFeel> buttonLookAndFeel;
    std::unique_ptr<juce::TextButton> generateButton;
    std::unique_ptr<juce::TextButton> cancelButton;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GenerateButton)
};
