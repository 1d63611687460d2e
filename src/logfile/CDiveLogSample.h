#pragma once

class CDiveLogSample {
public:
    virtual ~CDiveLogSample() = default;
};
