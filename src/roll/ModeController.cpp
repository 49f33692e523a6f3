#include "ModeController.h"

#include "style/StyleResources.h"

namespace
{
// The icons are drawn black; on the switch they show white.
std::unique_ptr<juce::Drawable> whiteIcon (const char* data, int size)
{
    auto icon = StyleResources::drawable (data, size);

    if (icon != nullptr)
        icon->replaceColour (juce::Colours::black, juce::Colours::white);

    return icon;
}
} // namespace

ModeController::ModeController()
{
    const auto editorIcon = whiteIcon (BinaryData::editor_svg, BinaryData::editor_svgSize);
    const auto selectorIcon = whiteIcon (BinaryData::selector_svg, BinaryData::selector_svgSize);
    editorButton.setImages (editorIcon.get());
    selectorButton.setImages (selectorIcon.get());

    editorButton.onClick = [this] { choose (drawMode); };
    selectorButton.onClick = [this] { choose (selectMode); };

    addAndMakeVisible (editorButton);
    addAndMakeVisible (selectorButton);
}

ModeController::~ModeController() = default;

void ModeController::choose (int newMode)
{
    mode.store (newMode);
    repaint();
}

void ModeController::resized()
{
    const auto half = getWidth() / 2;
    editorButton.setBounds (0, 0, half, getHeight());
    selectorButton.setBounds (half, 0, half, getHeight());
}

void ModeController::paint (juce::Graphics& g)
{
    const auto half = getWidth() / 2;
    const juce::Rectangle<int> left (0, 0, half, getHeight()), right (half, 0, half, getHeight());

    g.setColour (juce::Colours::darkgrey);
    g.drawRect (left, 1);
    g.drawRect (right, 1);

    g.setColour (juce::Colours::blue);

    if (mode.load() == drawMode)
        g.fillRect (left);
    else if (mode.load() == selectMode)
        g.fillRect (right);
}
