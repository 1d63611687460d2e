#pragma once

class CDiveLogPreDive {
public:
    virtual ~CDiveLogPreDive() = default;
};
