#pragma once

#include "model/BarTableRow.h"
#include "model/createVocalRequest.h"
#include "model/midiConverterResult.h"

#include <ostream>
#include <vector>

// Field-by-field equality and printing of the score records, so tests compare whole
// records and failures show what differs.

inline bool operator== (const tempoChange& a, const tempoChange& b) { return a.time == b.time && a.tempo == b.tempo; }

inline bool operator== (const timeSignatureChange& a, const timeSignatureChange& b)
{
    return a.time == b.time && a.numerator == b.numerator && a.denominator == b.denominator;
}

inline bool operator== (const vocalNote& a, const vocalNote& b)
{
    return a.start == b.start && a.end == b.end && a.word == b.word && a.pitch == b.pitch;
}

inline bool operator== (const controlChange& a, const controlChange& b)
{
    return a.time == b.time && a.number == b.number && a.value == b.value;
}

inline bool operator== (const vocalInstrument& a, const vocalInstrument& b)
{
    return a.program == b.program && a.notes == b.notes && a.controlChanges == b.controlChanges;
}

inline bool operator== (const vocalMetadata& a, const vocalMetadata& b)
{
    return a.ticksPerBeat == b.ticksPerBeat && a.numberOfBars == b.numberOfBars && a.tempoChanges == b.tempoChanges && a.timeSignatureChanges == b.timeSignatureChanges;
}

inline bool operator== (const BarTableRow& a, const BarTableRow& b)
{
    return a.barIndex == b.barIndex && a.numerator == b.numerator && a.sixteenthsPerBeat == b.sixteenthsPerBeat
           && a.tick == b.tick && a.denominator == b.denominator;
}

inline std::ostream& operator<< (std::ostream& out, const BarTableRow& r)
{
    return out << "{" << r.barIndex << ", " << r.numerator << ", " << r.sixteenthsPerBeat << ", " << r.tick << ", " << r.denominator << "}";
}

// Builds a list in place: listOf<vocalNote> ({ { 0, 480, "a", 64 } }).
template <typename T>
juce::Array<T> listOf (std::initializer_list<T> items)
{
    juce::Array<T> list;
    for (const auto& item : items)
        list.add (item);
    return list;
}

// For tables of cases, whose fields cannot be framework arrays built from nested braces.
template <typename T>
juce::Array<T> toArray (const std::vector<T>& items)
{
    juce::Array<T> list;
    for (const auto& item : items)
        list.add (item);
    return list;
}

inline std::ostream& operator<< (std::ostream& out, const tempoChange& t) { return out << "{" << t.time << ", " << t.tempo << "}"; }

inline std::ostream& operator<< (std::ostream& out, const timeSignatureChange& t)
{
    return out << "{" << t.time << ", " << t.numerator << "/" << t.denominator << "}";
}

inline std::ostream& operator<< (std::ostream& out, const controlChange& c)
{
    return out << "{" << c.time << ", " << c.number << ", " << c.value << "}";
}

inline std::ostream& operator<< (std::ostream& out, const vocalNote& n)
{
    return out << "{" << n.start << ", " << n.end << ", \"" << n.word << "\", " << n.pitch << "}";
}

inline std::ostream& operator<< (std::ostream& out, const vocalInstrument& i)
{
    out << "{program \"" << i.program << "\", notes [";
    for (const auto& n : i.notes)
        out << n << " ";
    out << "], controlChanges [";
    for (const auto& c : i.controlChanges)
        out << c << " ";
    return out << "]}";
}

inline std::ostream& operator<< (std::ostream& out, const vocalMetadata& m)
{
    out << "{ticksPerBeat " << m.ticksPerBeat << ", numberOfBars " << m.numberOfBars << ", tempo [";
    for (const auto& t : m.tempoChanges)
        out << t << " ";
    out << "], meter [";
    for (const auto& t : m.timeSignatureChanges)
        out << t << " ";
    return out << "]}";
}

// In the framework's namespace so that the test framework's printer finds it.
namespace juce
{
template <typename T>
std::ostream& operator<< (std::ostream& out, const Array<T>& items)
{
    out << "[";
    for (const auto& item : items)
        out << item << " ";
    return out << "]";
}
} // namespace juce
