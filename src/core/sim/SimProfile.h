#pragma once
// The depth profile of a simulated dive, second by second: descent at 18 m/min, a bottom phase
// as long as the dive allows, and an ascent at 9 m/min that stops wherever the decompression
// ceiling (gradient factors low/high) asks, with a three-minute stop at 3 m on dives deeper than
// 10 m. The bottom phase is chosen so the diver surfaces exactly at the end of the dive.
#include <vector>

struct CSimProfileInput {
    double maxDepth = 30.0; // metres, to the centimetre
    int duration = 2700;    // seconds
    int reach = 100;        // seconds to the maximum depth (on the sample grid)
    double surfaceBar = 1.013;
    double gfLow = 0.3, gfHigh = 0.85;
    double fN2 = 1.0; // nitrogen share of the diluent's inert gas
};

struct CSimProfile {
    std::vector<double> depth; // metres, one value per second from the dive start to its end
    int bottomEnd = 0;         // seconds after the dive start when the ascent begins
    double firstStop = 0.0;    // metres; 0 for a dive without stops
    bool decoRespected = true; // false when the dive was too short to honour the ceiling
};

CSimProfile PlanDiveProfile(const CSimProfileInput& input);

// The gradient factor in force at `depth` once the first stop is known: low at the first stop,
// rising linearly to high at the surface.
double GradientFactorAt(double depth, double firstStop, double gfLow, double gfHigh);
