#pragma once

// One entry of the tempo map: the tempo in quarter notes per minute from `time` onward.
struct tempoChange
{
    int time = 0;
    double tempo = 0.0;
};
