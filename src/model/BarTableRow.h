#pragma once

// One meter of the bar table: bars before it, its meter, and the tick where it starts.
struct BarTableRow
{
    int barIndex = 0;
    int numerator = 0;
    int sixteenthsPerBeat = 0;
    int tick = 0;
    int denominator = 0;
};
