#pragma once

#include "session/DesignSession.h"

namespace korvane::test {

// An inductor typed into the analysis window: part number, stack, wire, turns and the
// operating conditions of its application (25 C ambient, one strand).
struct AnalysedDesign {
    Application application;
    const char* part;
    const char* stack;
    const char* wire;
    const char* turns;
    const char* current;
    const char* v1;
    const char* v2;
    const char* frequency;
};

// One of each kind of operating point: DC bias, PFC boost, 60 Hz line, resonant.
inline constexpr AnalysedDesign kDcChoke = {
    Application::DcBiased, "T80-275", "1", "#18", "30", "5", "12", "5", "100"};
inline constexpr AnalysedDesign kPfcChoke = {
    Application::PfcBoost, "T106-226", "1", "#16", "40", "6", "375", "400", "65"};
inline constexpr AnalysedDesign kLineChoke = {
    Application::Line60Hz, "T200-275", "2", "0.100 x 0.020", "100", "4", "", "", "60"};
inline constexpr AnalysedDesign kResonant = {
    Application::Resonant, "T80-275", "1", "#18", "10", "2", "50", "", ""};

// OK of the analysis window on the design.
inline AnalysisOutcome analyse(DesignSession& session, const AnalysedDesign& d) {
    AnalysisEntry& entry = session.analysis();
    entry.setApplication(d.application);
    entry.setText(AnalysisField::PartNumber, d.part);
    entry.setText(AnalysisField::StackCount, d.stack);
    entry.setText(AnalysisField::Wire, d.wire);
    entry.setText(AnalysisField::Strands, "1");
    entry.setText(AnalysisField::Turns, d.turns);
    entry.setText(AnalysisField::Current, d.current);
    entry.setText(AnalysisField::Voltage1, d.v1);
    entry.setText(AnalysisField::Voltage2, d.v2);
    entry.setText(AnalysisField::Frequency, d.frequency);
    entry.setText(AnalysisField::Ambient, "25");
    return session.analyse();
}

} // namespace korvane::test
