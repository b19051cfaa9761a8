#include "report/DesignReport.h"

#include "format/StrPrintf.h"
#include "results/ResultHeadings.h"

namespace korvane::report {

Json requirementJson(const Requirement& r) {
    auto n = [](float v) { return jsonNumber(v); };
    return {{"application", std::string(applicationCliName(r.application))},
            {"L1", n(r.L1)},
            {"L2", n(r.L2)},
            {"I1", n(r.I1)},
            {"I2", n(r.I2)},
            {"I1peak", n(r.I1peak)},
            {"I1rms", n(r.I1rms)},
            {"I2rms", n(r.I2rms)},
            {"Ipk", n(r.Ipk)},
            {"fHz", n(r.fHz)},
            {"fkHz", n(r.fkHz)},
            {"Rs", n(r.Rs)},
            {"Ta", n(r.Ta)},
            {"Von", n(r.Von)},
            {"Voff", n(r.Voff)},
            {"Vpk", n(r.Vpk)},
            {"Vpfc1", n(r.Vpfc1)},
            {"Vpfc2", n(r.Vpfc2)},
            {"shape", toIndex(r.shape)},
            {"windingType", toIndex(r.windingType)},
            {"stackCount", n(r.stackCount)},
            {"strands", r.strands},
            {"accepted", r.accepted}};
}

Json wireJson(const WireRecord& w) {
    return {{"system", toIndex(w.system)},
            {"systemName", w.systemName},
            {"areaCmil", jsonNumber(w.areaCmil)},
            {"bareDiameter", jsonNumber(w.bareDiameter)},
            {"insulatedDiameter", jsonNumber(w.insulatedDiameter)},
            {"maxOverallDiameter", jsonNumber(w.maxOverallDiameter)},
            {"build", jsonNumber(w.build)},
            {"size", jsonNumber(w.size)},
            {"ohmsPerFoot", jsonNumber(w.ohmsPerFoot)},
            {"poundsPerFoot", jsonNumber(w.poundsPerFoot)}};
}

std::vector<std::pair<const char*, double>> candidateNumbers(const DesignCandidate& c) {
    const auto n = [](float v) { return jsonNumber(v); };
    return {{"ae", n(c.ae)},
            {"al", n(c.al)},
            {"turns", n(c.turns)},
            {"strands", c.strands},
            {"stackCount", n(c.stackCount)},
            {"rdc", n(c.rdc)},
            {"rac", n(c.rac)},
            {"inductance", n(c.inductance)},
            {"dcBias", n(c.dcBias)},
            {"acFlux", n(c.acFlux)},
            {"percentPerm", n(c.percentPerm)},
            {"ripple", n(c.ripple)},
            {"biasScale", n(c.biasScale)},
            {"pfcRatio", n(c.pfcRatio)},
            {"frequency", n(c.frequency)},
            {"lineFrequency", n(c.lineFrequency)},
            {"coreLoss", n(c.coreLoss)},
            {"copperLoss", n(c.copperLoss)},
            {"tempRise", n(c.tempRise)},
            {"mlt", n(c.mlt)},
            {"build", n(c.build)},
            {"hole", n(c.hole)},
            {"woundOD", n(c.woundOD)},
            {"woundHeight", n(c.woundHeight)},
            {"wireLength", n(c.wireLength)},
            {"surfaceArea", n(c.surfaceArea)},
            {"coreVolume", n(c.coreVolume)}};
}

Json candidateJson(const DesignCandidate& c) {
    Json j = {{"partNumber", c.partNumber}};
    for (const auto& [name, value] : candidateNumbers(c)) {
        j[name] = value;
    }
    j["wire"] = wireJson(c.wire);
    return j;
}

Json resultPageJson(const DesignRunOutput& run, ResultGrid grid) {
    const HeadingPage page =
        run.tables.headingPage(grid, run.design.application, run.search.wireSystemName);
    Json headings = Json::array();
    for (const HeadingLine& line : page.lines) {
        Json cells = Json::array();
        for (const HeadingCell& cell : line) {
            cells.push_back({{"text", cell.text}, {"columns", cell.columns}});
        }
        headings.push_back(cells);
    }
    Json rows = Json::array();
    const int rowCount = run.search.accepted + (run.search.endOfCatalog ? 1 : 0);
    for (int r = 0; r < rowCount; ++r) {
        Json row = Json::array();
        for (int c = 0; c < columnCount(grid); ++c) {
            row.push_back(run.tables.grid(grid).cell(r, c));
        }
        rows.push_back(row);
    }
    return {{"caption", std::string(pageCaption(grid))}, {"headings", headings}, {"rows", rows}};
}

Json designsJson(const DesignRunOutput& run) {
    Json designs = Json::array();
    for (int i = 0; i < run.search.accepted; ++i) {
        const DesignCandidate& c = run.search.table.slots[static_cast<std::size_t>(i)];
        Json d = candidateJson(c);
        const float price = run.search.cores[static_cast<std::size_t>(i)].price;
        d["price"] = price > 0.0F ? Json(jsonNumber(price)) : Json(nullptr);
        designs.push_back(d);
    }
    return designs;
}

Json traceJson(const DesignRunOutput& run) {
    Json trace = Json::array();
    for (const TraceEvent& e : run.trace) {
        trace.push_back(describeTraceEvent(e));
    }
    return trace;
}

Json designRunJson(const DesignRunOutput& run, const Requirement& requirement,
                   const std::string& requirementText, ResultPages pages,
                   const std::vector<Message>& messages, bool withTrace) {
    Json pageList = Json::object();
    if (pages.electrical) {
        pageList["electrical"] = resultPageJson(run, ResultGrid::Electrical);
    }
    if (pages.dimensions) {
        pageList["dimensions"] = resultPageJson(run, dimensionGrid(requirement.shape));
    }
    Json out = {{"requirement", requirementJson(requirement)},
                {"requirementText", requirementText},
                {"designs", designsJson(run)},
                {"endOfCatalog", run.search.endOfCatalog},
                {"pages", pageList},
                {"messages", messagesJson(messages)}};
    if (withTrace) {
        out["trace"] = traceJson(run);
    }
    return out;
}

std::string designsCsv(const DesignRunOutput& run) {
    std::string csv = "slot,partNumber";
    for (const auto& [name, value] : candidateNumbers(DesignCandidate{})) {
        csv += ",";
        csv += name;
    }
    csv += ",wire.systemName,wire.size,wire.areaCmil,wire.bareDiameter,"
           "wire.insulatedDiameter,wire.maxOverallDiameter,wire.ohmsPerFoot,price\n";
    for (int i = 0; i < run.search.accepted; ++i) {
        const DesignCandidate& c = run.search.table.slots[static_cast<std::size_t>(i)];
        csv += std::to_string(i) + "," + c.partNumber;
        for (const auto& [name, value] : candidateNumbers(c)) {
            csv += "," + strprintf("%g", value);
        }
        const WireRecord& w = c.wire;
        csv += strprintf(",%s,%g,%g,%g,%g,%g,%g", w.systemName.c_str(), static_cast<double>(w.size),
                         static_cast<double>(w.areaCmil), static_cast<double>(w.bareDiameter),
                         static_cast<double>(w.insulatedDiameter),
                         static_cast<double>(w.maxOverallDiameter),
                         static_cast<double>(w.ohmsPerFoot));
        const float price = run.search.cores[static_cast<std::size_t>(i)].price;
        csv += "," + (price > 0.0F ? strprintf("%.2f", static_cast<double>(price)) : "") + "\n";
    }
    return csv;
}

} // namespace korvane::report
