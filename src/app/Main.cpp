#include "GuiAppApplication.h"

START_JUCE_APPLICATION (GuiAppApplication)
