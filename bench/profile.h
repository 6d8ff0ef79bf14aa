// Per-call timings of a dab step and of the hiss requests.
#pragma once

// The calls of one dab step on the overlay window, each timed on its own.
void ProfileDab(int depth);
// The real hiss requests: the first of a stroke, and those while it plays.
void ProfileHiss();
