#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The voice list's look: a circular avatar in the closed box, avatars in the popup with
// an overlay on the current voice, and the list's own arrow.
class VoiceListLookAndFeel : public juce::LookAndFeel_V4
{
public:
    static constexpr int femaleId = 2;
    static constexpr int maleId = 3;

    // The voice table: item id to voice model, and the text shown for each.
    static juce::String modelOf (int itemId);
    static int idOfText (const juce::String& text);
    static juce::String textOf (int itemId);

    VoiceListLookAndFeel();

    void drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text, const juce::String& shortcutKeyText, const juce::Drawable* icon, const juce::Colour* textColour) override;
    void drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox& box) override;
    void positionComboBoxText (juce::ComboBox& box, juce::Label& label) override;

    // Where the closed box clips its avatar: a circle of an even diameter in the icon square.
    static juce::Rectangle<int> avatarCircleFor (int boxHeight);

    juce::Image selectedImage, femaleImage, maleImage;
    std::unique_ptr<juce::DrawableImage> blankIcon;
    std::unique_ptr<juce::Drawable> arrowIcon;
    const int iconWidth = 20, iconHeight = 20, iconMargin = 5;

private:
    const juce::Image* avatarOf (int itemId) const;

    // Scales the image into the icon square (iconMargin, iconMargin, iconWidth, iconHeight).
    void fitIntoIconSquare (juce::Graphics& g, const juce::Image& image) const;
};
