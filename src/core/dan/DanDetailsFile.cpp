#include "dan/DanDetailsFile.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "dan/DanChoices.h"

namespace {

const char* const kAnswerNames[] = {"StateOfRest",    "Alcohol",
                                    "Exercise",       "Medication",
                                    "Visibility",     "Current",
                                    "ThermalComfort", "Workload",
                                    "Problems",       "EquipmentMalfunctions",
                                    "AnySymptoms",    "ExposureToAltitude",
                                    "Comments"};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool Unescape(std::string_view raw, std::string& out, std::string& error) {
    out.clear();
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        const char next = i + 1 < raw.size() ? raw[i + 1] : '\0';
        if (next == 'n')
            out += '\n';
        else if (next == 'r')
            out += '\r';
        else if (next == '\\')
            out += '\\';
        else {
            error = "unknown escape \"\\" + std::string(next ? 1 : 0, next) + "\"";
            return false;
        }
        ++i;
    }
    return true;
}

// Line breaks as the wizard's multi-line fields keep them: CR LF.
std::string CrLf(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

bool ParseNumber(std::string_view text, uint32_t& value, std::string& error) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        error = "\"" + std::string(text) + "\" is not a whole number from 0 to 4294967295";
        return false;
    }
    return true;
}

bool ParseDecimal(std::string_view text, double& value, std::string& error) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        error = "\"" + std::string(text) + "\" is not a number";
        return false;
    }
    return true;
}

// A choice must name one of its list's options.
bool CheckChoice(std::string_view name, uint32_t value, std::string& error) {
    const CDanChoiceList* list = FindDanChoiceList(name);
    if (list && value >= list->options.size()) {
        error = std::string(name) + " " + std::to_string(value) + " is not a choice (0 to " +
                std::to_string(list->options.size() - 1) + ")";
        return false;
    }
    return true;
}

bool SetAnswer(std::string_view name, const std::string& value, CDanAnswers& a,
               std::string& error) {
    struct CNumber {
        const char* name;
        uint32_t CDanAnswers::*member;
    };
    static const CNumber kNumbers[] = {
        {"StateOfRest", &CDanAnswers::m_nStateOfRest},
        {"Alcohol", &CDanAnswers::m_nAlcohol},
        {"Exercise", &CDanAnswers::m_nExercise},
        {"ThermalComfort", &CDanAnswers::m_nThermalComfort},
        {"Workload", &CDanAnswers::m_nWorkload},
        {"Problems", &CDanAnswers::m_nProblems},
        {"EquipmentMalfunctions", &CDanAnswers::m_nEquipmentMalfunctions},
        {"AnySymptoms", &CDanAnswers::m_nAnySymptoms},
        {"ExposureToAltitude", &CDanAnswers::m_nExposureToAltitude},
    };
    for (const CNumber& n : kNumbers) {
        if (name == n.name) {
            uint32_t v = 0;
            if (!ParseNumber(value, v, error) || !CheckChoice(name, v, error))
                return false;
            a.*n.member = v;
            return true;
        }
    }
    if (name == "Visibility")
        return ParseDecimal(value, a.m_dVisibility, error);
    if (name == "Current")
        return ParseDecimal(value, a.m_dCurrent, error);
    if (name == "Medication") {
        a.m_strMedication = CrLf(value);
        return true;
    }
    if (name == "Comments") {
        a.m_strComments = CrLf(value);
        return true;
    }
    error = "unknown name \"" + std::string(name) + "\"";
    return false;
}

bool SetValue(std::string_view name, const std::string& value, CDanDetails& d, CDanAnswers& a,
              std::string& error) {
    const CDanDetails::Value* stored = CDanDetails::Find(name);
    if (!stored)
        return SetAnswer(name, value, a, error);
    if (stored->text) {
        d.*stored->text = value;
        return true;
    }
    uint32_t v = 0;
    if (!ParseNumber(value, v, error) || !CheckChoice(name, v, error))
        return false;
    d.*stored->number = v;
    return true;
}

} // namespace

const char* const* DanAnswerNames(size_t& count) {
    count = std::size(kAnswerNames);
    return kAnswerNames;
}

bool ParseDanDetailsFile(std::string_view text, CDanDetails& details, CDanAnswers& answers,
                         std::string& error) {
    size_t lineNo = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (Trim(line).empty() || Trim(line).front() == '#')
            continue;
        const size_t eq = line.find('=');
        std::string value, why;
        if (eq == std::string_view::npos)
            why = "expected Name=Value";
        else if (Unescape(line.substr(eq + 1), value, why))
            SetValue(Trim(line.substr(0, eq)), value, details, answers, why);
        if (!why.empty()) {
            error = "line " + std::to_string(lineNo) + ": " + why;
            return false;
        }
    }
    return true;
}
