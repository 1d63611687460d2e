#pragma once

class CDiveLogSolenoidSample {
public:
    virtual ~CDiveLogSolenoidSample() = default;
};
