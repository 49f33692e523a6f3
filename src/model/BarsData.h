#pragma once

// A musical position: bar, beat and subdivision (all counted from 1) and the meter in force.
// Default-built it is the position handed on when there is no meter at all: bar 1, on a
// bar start, every other field 0.
struct BarsData
{
    bool isBarStart = true;
    int bar = 1;
    int beat = 0;
    int sixteenth = 0;
    int ticksPerBar = 0;
    int numerator = 0;
    int denominator = 0;
};
