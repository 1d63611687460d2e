#pragma once
// A small streaming JSON writer for the command line tool. Numbers are written in their shortest
// form that reads back to the same double; strings hold the log's 8-bit text, so bytes from 0x80
// on are written as the Latin-1 code points they stand for (\u00XX). Objects put each key on its
// own line; arrays of plain values stay on one line; a container opened "inline" keeps all of its
// contents on one line (one sample per line keeps large dumps readable and diffable).
#include <string>
#include <string_view>
#include <vector>

class CJsonWriter {
public:
    explicit CJsonWriter(std::string& out) : m_out(out) {}

    void BeginObject(bool inlineContents = false);
    void EndObject();
    void BeginArray(bool inlineContents = false);
    void EndArray();
    void Key(std::string_view key);

    void String(std::string_view value);
    void Number(double value); // non-finite values are written as null
    void Int(long long value);
    void Bool(bool value);
    void Null();

    // Key followed by a value.
    void KeyString(std::string_view key, std::string_view value) {
        Key(key);
        String(value);
    }
    void KeyNumber(std::string_view key, double value) {
        Key(key);
        Number(value);
    }
    void KeyInt(std::string_view key, long long value) {
        Key(key);
        Int(value);
    }
    void KeyBool(std::string_view key, bool value) {
        Key(key);
        Bool(value);
    }
    template <typename T> void KeyNumbers(std::string_view key, const T* values, size_t count) {
        Key(key);
        BeginArray();
        for (size_t i = 0; i < count; ++i)
            Number(static_cast<double>(values[i]));
        EndArray();
    }
    template <typename T> void KeyBools(std::string_view key, const T* values, size_t count) {
        Key(key);
        BeginArray();
        for (size_t i = 0; i < count; ++i)
            Bool(values[i]);
        EndArray();
    }

    // Shortest round-trip text of a double ("30", "0.1", "1e+100").
    static std::string FormatNumber(double value);
    // The same text appended to `out`; `value` must be finite.
    static void AppendNumber(std::string& out, double value);
    static void AppendEscaped(std::string& out, std::string_view value);

private:
    struct CLevel {
        bool isObject = false;
        bool inlineContents = false;
        bool multiline = false; // an array whose items are containers
        bool hasItems = false;
    };
    // Separator and line break before a value or key at the current level.
    void BeforeValue(bool isContainer);
    void NewLine(size_t depth);
    // Whether some open container keeps its contents on one line. Asked before every value, so
    // it is a count kept as containers open and close rather than a walk up the stack.
    bool Inline() const { return m_nInlineLevels > 0; }

    std::string& m_out;
    std::vector<CLevel> m_stack;
    size_t m_nInlineLevels = 0;
    bool m_bAfterKey = false;
};
