#include "SharedProgress.h"

SharedProgress::SharedProgress() { startTimerHz (30); }

SharedProgress::~SharedProgress() { stopTimer(); }

void SharedProgress::timerCallback() { shown = value.load(); }
