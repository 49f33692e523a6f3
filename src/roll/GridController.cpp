#include "GridController.h"

GridController::GridController()
{
    // The id is the number of cells per whole note; triplets have 1.5 times as many.
    const std::pair<const char*, int> entries[] = {
        { "1/1", 1 },
        { "1/2", 2 },
        { "1/4", 4 },
        { "1/8", 8 },
        { "1/16", 16 },
        { "1/32", 32 },
        { "1/64", 64 },
        { "1/2T", 3 },
        { "1/4T", 6 },
        { "1/8T", 12 },
        { "1/16T", 24 },
        { "1/32T", 48 },
        { "1/64T", 96 },
        { "OFF", offId },
    };

    for (const auto& [text, id] : entries)
        comboBox.addItem (text, id);

    comboBox.onChange = [this] { sendChangeMessage(); };
    comboBox.setSelectedId (4, juce::sendNotificationAsync);
    addAndMakeVisible (comboBox);
}

GridController::~GridController() = default;

int GridController::division() const
{
    const auto id = comboBox.getSelectedId();
    return id == offId ? 0 : id;
}

void GridController::resized() { comboBox.setBounds (getLocalBounds()); }
