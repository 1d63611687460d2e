#pragma once
// The safety and outcome answers of one DAN export. They belong to one dive, so they are asked
// afresh every time and never stored; every export starts from these defaults.
#include <cstdint>
#include <string>

struct CDanAnswers {
    uint32_t m_nStateOfRest = 0;
    uint32_t m_nAlcohol = 0; // units
    uint32_t m_nExercise = 0;
    std::string m_strMedication; // lines end in CR LF
    double m_dVisibility = 0.0;  // metres
    double m_dCurrent = 0.0;     // knots
    uint32_t m_nThermalComfort = 0;
    uint32_t m_nWorkload = 0;
    uint32_t m_nProblems = 0;
    uint32_t m_nEquipmentMalfunctions = 0;
    uint32_t m_nAnySymptoms = 0;
    uint32_t m_nExposureToAltitude = 0;
    std::string m_strComments; // lines end in CR LF

    bool operator==(const CDanAnswers&) const = default;
};
