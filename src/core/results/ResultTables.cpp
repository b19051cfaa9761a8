#include "results/ResultTables.h"

#include "format/StrPrintf.h"
#include "results/ResultCells.h"

namespace korvane {

void ResultTables::prepareTables(float stackCount, UnitSystem units) {
    stackCount_ = stackCount;
    units_ = units;
    electrical_.clear();
    toroidDimension_.clear();
    eCoreDimension_.clear();
}

const TextGrid& ResultTables::grid(ResultGrid which) const {
    switch (which) {
    case ResultGrid::ToroidDimension:
        return toroidDimension_;
    case ResultGrid::ECoreDimension:
        return eCoreDimension_;
    case ResultGrid::Electrical:
        break;
    }
    return electrical_;
}

HeadingPage ResultTables::headingPage(ResultGrid which, Application application,
                                      std::string_view wireSystemName) const {
    HeadingOptions options;
    options.stackCount = stackCount_;
    options.application = application;
    options.wireSystemName = std::string(wireSystemName);
    options.units = units_;
    return buildHeadingPage(which, options);
}

bool ResultTables::writeRow(int slot, const CoreRecord& core, const DesignCandidate& candidate,
                            float stackCount, Application application, UnitSystem units,
                            const std::optional<BobbinRecord>& bobbin) {
    if (!TextGrid::contains(slot, 0)) {
        return false;
    }
    electrical_.clearRow(slot);
    toroidDimension_.clearRow(slot);
    eCoreDimension_.clearRow(slot);

    if (core.partNumber.find("END") != std::string::npos) {
        // The end-of-catalog row: its name alone, without a stack suffix.
        electrical_.setCell(slot, 0, core.partNumber);
        toroidDimension_.setCell(slot, 0, core.partNumber);
        eCoreDimension_.setCell(slot, 0, core.partNumber);
        return true;
    }

    const std::string partNumber = partNumberCellText(core.partNumber, stackCount);
    writeElectrical(slot, core, candidate, partNumber, application);
    if (core.shape == CoreShape::ECore) {
        writeECoreDimensions(slot, core, candidate, partNumber, units, bobbin);
    } else {
        writeToroidDimensions(slot, core, candidate, partNumber, units);
    }
    return true;
}

void ResultTables::writeElectrical(int slot, const CoreRecord& core, const DesignCandidate& c,
                                   const std::string& partNumber, Application application) {
    const bool resonant = application == Application::Resonant;
    const std::string acFlux = strprintf("%6.1f", static_cast<double>(c.acFlux));
    const std::string cells[] = {
        partNumber,
        priceCellText(core.price),
        strprintf("%6.0f", static_cast<double>(c.al)),
        strprintf("%4.0f", static_cast<double>(c.turns)),
        wireCellText(c.wire, c.strands),
        fillCellText(c.wire, c.turns, c.strands, core.Aw),
        resistanceCellText(c.rdc),
        resonant ? resistanceCellText(c.rac) : acFlux,
        resonant ? acFlux : strprintf("%6.1f", static_cast<double>(c.percentPerm)),
        strprintf("%6.2f", c.coreLoss * 0.001),
        strprintf("%6.2f", c.copperLoss * 0.001),
        strprintf("%6.1f", static_cast<double>(c.tempRise)),
    };
    int column = 0;
    for (const auto& text : cells) {
        electrical_.setCell(slot, column++, text);
    }
}

void ResultTables::writeToroidDimensions(int slot, const CoreRecord& core, const DesignCandidate& c,
                                         const std::string& partNumber, UnitSystem units) {
    const std::string cells[] = {
        partNumber,
        lengthCellText(core.OD, units),
        lengthCellText(core.ID, units),
        lengthCellText(core.Ht, units),
        strprintf("%6.2f", static_cast<double>(c.ae)),
        strprintf("%6.2f", static_cast<double>(core.le)),
        strprintf("%6.0f", static_cast<double>(c.turns)),
        wireCellText(c.wire, c.strands),
        lengthCellText(c.wire.maxOverallDiameter, units),
        lengthCellText(c.woundOD, units),
        lengthCellText(c.hole, units),
        lengthCellText(c.woundHeight, units),
    };
    int column = 0;
    for (const auto& text : cells) {
        toroidDimension_.setCell(slot, column++, text);
    }
}

void ResultTables::writeECoreDimensions(int slot, const CoreRecord& core, const DesignCandidate& c,
                                        const std::string& partNumber, UnitSystem units,
                                        const std::optional<BobbinRecord>& bobbin) {
    // Without a bobbin the wound height and the flange are unknown and stay empty.
    const std::string height =
        bobbin ? lengthCellText(2.0 * c.build + bobbin->innerHeight, units) : std::string();
    const std::string flange = bobbin ? lengthCellText(bobbin->flangeHeight, units) : std::string();
    const std::string cells[] = {
        partNumber,
        lengthCellText(core.dimA, units),
        lengthCellText(core.dimB, units),
        lengthCellText(core.dimC, units),
        lengthCellText(core.dimD, units),
        lengthCellText(core.dimE, units),
        lengthCellText(core.dimF, units),
        strprintf("%6.2f", static_cast<double>(c.ae)),
        strprintf("%6.2f", static_cast<double>(core.le)),
        strprintf("%6.0f", static_cast<double>(c.turns)),
        wireCellText(c.wire, c.strands),
        lengthCellText(c.wire.maxOverallDiameter, units),
        lengthCellText(c.build, units),
        height,
        flange,
    };
    int column = 0;
    for (const auto& text : cells) {
        eCoreDimension_.setCell(slot, column++, text);
    }
}

} // namespace korvane
