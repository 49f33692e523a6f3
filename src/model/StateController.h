#pragma once

#include <atomic>

// The roll's state, shared by the main view and the roll's panels.
class StateController
{
public:
    static constexpr int empty = 0; // no score yet: the roll shows its drag hint
    static constexpr int converting = 1; // a dropped MIDI file is being converted
    static constexpr int loaded = 2; // a score is on the roll

    int get() const { return state.load(); }

    // Returns the state it replaced.
    int set (int newState) { return state.exchange (newState); }

private:
    std::atomic<int> state { empty };
};
