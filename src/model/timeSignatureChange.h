#pragma once

// One entry of the meter map; a beat lasts ticksPerBeat * 4 / denominator ticks.
struct timeSignatureChange
{
    int time = 0;
    int numerator = 0;
    int denominator = 0;
};
