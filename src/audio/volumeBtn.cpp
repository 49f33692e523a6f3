#include "volumeBtn.h"

void volumeBtn::mouseExit (const juce::MouseEvent& e)
{
    if (onMouseExit)
        onMouseExit();

    juce::TextButton::mouseExit (e);
}
