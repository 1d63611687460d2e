#include "sim/SimProfile.h"

#include <algorithm>
#include <cmath>

#include "sim/SimTissues.h"

namespace {

constexpr double kDescentRate = 0.3; // m/s
constexpr double kAscentRate = 0.15; // m/s
constexpr double kSurfaceRate = 0.1; // m/s, the last three metres
constexpr int kSafetyStop = 180;     // s at 3 m after dives deeper than 10 m

struct CRun {
    int surfaced = 0;         // seconds after the dive start
    int finalAscentStart = 0; // when the diver leaves the last stop (or the bottom)
    double firstStop = 0.0;
};

double StopDepth(double ceilingBar, double surfaceBar) {
    const double metres = (ceilingBar - surfaceBar) * 10.0;
    return metres <= 0.0 ? 0.0 : std::ceil(metres / 3.0 - 1e-9) * 3.0;
}

// Dives the plan with the ascent starting at `bottomEnd`; stops at `limit` seconds. With `out`
// the depth of every second is kept.
CRun Simulate(const CSimProfileInput& in, int bottomEnd, int limit, std::vector<double>* out) {
    CSimTissues tissues;
    tissues.Reset(in.surfaceBar);
    CRun run;
    double depth = 0.0;
    bool high = false, ascending = false;
    double stop = 0.0;
    int atThree = 0;
    for (int t = 0; t <= limit; ++t) {
        if (t <= in.reach) {
            depth = t == in.reach ? in.maxDepth : std::min(in.maxDepth, kDescentRate * t);
        } else if (t > bottomEnd) {
            if (!ascending) {
                ascending = true;
                run.firstStop = StopDepth(tissues.CeilingBar(in.gfLow), in.surfaceBar);
                stop = std::max(run.firstStop, in.maxDepth > 10.0 ? 3.0 : 0.0);
                stop = std::min(stop, std::floor(depth / 3.0) * 3.0);
                if (stop <= 0.0)
                    run.finalAscentStart = t;
            }
            if (depth > stop + 1e-9) {
                depth = std::max(stop, depth - (depth > 3.0 + 1e-9 ? kAscentRate : kSurfaceRate));
            } else if (stop > 0.0) {
                const double next = stop - 3.0;
                const double gf = GradientFactorAt(next, run.firstStop, in.gfLow, in.gfHigh);
                bool clear = StopDepth(tissues.CeilingBar(gf), in.surfaceBar) <= next;
                if (stop <= 3.0 && in.maxDepth > 10.0 && ++atThree < kSafetyStop)
                    clear = false;
                if (clear) {
                    stop = next;
                    if (stop <= 0.0)
                        run.finalAscentStart = t;
                }
            }
            if (depth <= 1e-9) {
                if (out)
                    out->push_back(0.0);
                run.surfaced = t;
                return run;
            }
        }
        if (out)
            out->push_back(depth);
        if (depth >= 10.0)
            high = true;
        if (ascending && depth < 2.0)
            high = false;
        const double ambient = in.surfaceBar + depth / 10.0;
        tissues.Step(ambient, std::min(high ? 1.3 : 0.7, ambient - 0.05), in.fN2);
    }
    run.surfaced = limit + 1;
    return run;
}

// Too short a dive for its depth: straight down and straight back up.
CSimProfile Triangle(const CSimProfileInput& in) {
    CSimProfile p;
    p.decoRespected = false;
    const int reach = std::clamp(in.reach, 1, std::max(1, in.duration - 1));
    p.bottomEnd = reach;
    for (int t = 0; t <= in.duration; ++t) {
        const double d = t <= reach ? in.maxDepth * t / reach
                                    : in.maxDepth * (in.duration - t) / (in.duration - reach);
        p.depth.push_back(t == reach ? in.maxDepth : d);
    }
    return p;
}

} // namespace

double GradientFactorAt(double depth, double firstStop, double gfLow, double gfHigh) {
    if (firstStop <= 0.0)
        return gfHigh;
    return gfHigh - (gfHigh - gfLow) * std::clamp(depth / firstStop, 0.0, 1.0);
}

CSimProfile PlanDiveProfile(const CSimProfileInput& in) {
    if (in.reach >= in.duration ||
        Simulate(in, in.reach, in.duration, nullptr).surfaced > in.duration)
        return Triangle(in);
    // The longest bottom phase that still surfaces in time.
    int lo = in.reach, hi = in.duration;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (Simulate(in, mid, in.duration, nullptr).surfaced <= in.duration)
            lo = mid;
        else
            hi = mid - 1;
    }
    CSimProfile p;
    p.bottomEnd = lo;
    const CRun run = Simulate(in, lo, in.duration, &p.depth);
    p.firstStop = run.firstStop;
    // Whatever time is left is spent at the last stop (or on the bottom of a shallow dive).
    const int slack = in.duration - run.surfaced;
    const int at = std::clamp(run.finalAscentStart, 0, static_cast<int>(p.depth.size()) - 1);
    p.depth.insert(p.depth.begin() + at, slack, p.depth[at]);
    p.depth.resize(in.duration + 1, 0.0);
    p.depth.back() = 0.0;
    return p;
}
