#pragma once

// A controller event, carried through the score unchanged.
struct controlChange
{
    int time = 0;
    int number = 0;
    int value = 0;
};
