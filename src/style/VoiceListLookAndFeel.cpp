#include "VoiceListLookAndFeel.h"

#include "model/ScoreConstants.h"
#include "StyleResources.h"

juce::String VoiceListLookAndFeel::modelOf (int itemId) { return itemId == femaleId ? kFemaleVoiceModel : kDefaultVoiceModel; }

juce::String VoiceListLookAndFeel::textOf (int itemId) { return itemId == femaleId ? "Female AI 2" : "Male AI 2"; }

int VoiceListLookAndFeel::idOfText (const juce::String& text)
{
    if (text == textOf (femaleId))
        return femaleId;

    if (text == textOf (maleId))
        return maleId;

    return 0;
}

VoiceListLookAndFeel::VoiceListLookAndFeel()
    : selectedImage (StyleResources::image (BinaryData::selected_png, BinaryData::selected_pngSize))
    , femaleImage (StyleResources::image (BinaryData::voice_female_1_png, BinaryData::voice_female_1_pngSize))
    , maleImage (StyleResources::image (BinaryData::voice_male_1_png, BinaryData::voice_male_1_pngSize))
    , blankIcon (std::make_unique<juce::DrawableImage>())
    , arrowIcon (StyleResources::drawable (BinaryData::arrow_svg, BinaryData::arrow_svgSize))
{
    juce::Image blank (juce::Image::ARGB, 20, 20, true);
    blankIcon->setImage (blank);
}

const juce::Image* VoiceListLookAndFeel::avatarOf (int itemId) const
{
    if (itemId == maleId)
        return &maleImage;

    if (itemId == femaleId)
        return &femaleImage;

    return nullptr;
}

void VoiceListLookAndFeel::fitIntoIconSquare (juce::Graphics& g, const juce::Image& image) const
{
    const auto w = (float) image.getWidth(), h = (float) image.getHeight();

    if (w < 1.0f || h < 1.0f)
        return;

    const auto s = juce::jmin ((float) iconWidth / w, (float) iconHeight / h);
    g.drawImageTransformed (image, juce::AffineTransform::scale (s).translated ((float) iconMargin + ((float) iconWidth - w * s) * 0.5f, (float) iconMargin + ((float) iconHeight - h * s) * 0.5f));
}

void VoiceListLookAndFeel::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text, const juce::String& shortcutKeyText, const juce::Drawable*, const juce::Colour* textColour)
{
    // The blank icon keeps the icon column and leaves out the standard tick.
    juce::LookAndFeel_V4::drawPopupMenuItem (g, area, isSeparator, isActive, isHighlighted, false, hasSubMenu, text, shortcutKeyText, blankIcon.get(), textColour);

    const auto* avatar = avatarOf (idOfText (text));

    if (avatar == nullptr)
        return;

    juce::Graphics::ScopedSaveState state (g);
    g.setOrigin (area.getPosition());
    fitIntoIconSquare (g, *avatar);

    if (isTicked)
        fitIntoIconSquare (g, selectedImage);
}

juce::Rectangle<int> VoiceListLookAndFeel::avatarCircleFor (int boxHeight)
{
    const auto diameter = ((boxHeight - 10) / 2) * 2;
    const auto corner = boxHeight / 2 - (boxHeight - 10) / 2;
    return { corner, corner, diameter, diameter };
}

void VoiceListLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox& box)
{
    juce::LookAndFeel_V4::drawComboBox (g, width, height, isButtonDown, buttonX, buttonY, buttonW, buttonH, box);

    const auto corner = box.findParentComponentOfClass<juce::ChoicePropertyComponent>() != nullptr ? 0.0f : 3.0f;
    const juce::Rectangle<float> bounds (0.0f, 0.0f, (float) width, (float) height);
    g.setColour (box.findColour (juce::ComboBox::backgroundColourId));
    g.fillRoundedRectangle (bounds, corner);
    g.setColour (box.findColour (juce::ComboBox::outlineColourId));
    g.drawRoundedRectangle (bounds.reduced (0.5f), corner, 1.0f);

    if (arrowIcon != nullptr)
        arrowIcon->drawWithin (g, { (float) width - 25.0f, 7.0f, 15.0f, 15.0f }, juce::RectanglePlacement::centred, 1.0f);

    const auto* avatar = avatarOf (box.getSelectedId());

    if (avatar == nullptr)
        return;

    juce::Graphics::ScopedSaveState state (g);
    juce::Path circle;
    circle.addEllipse (avatarCircleFor (height).toFloat());
    g.reduceClipRegion (circle);
    fitIntoIconSquare (g, *avatar);
}

void VoiceListLookAndFeel::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setBounds (2 * iconMargin + iconWidth, 1, box.getWidth() - 30, box.getHeight() - 2);
    label.setFont (getComboBoxFont (box));
}
