#include "report/AnalysisReport.h"

#include "analysis/AnalysisRows.h"
#include "report/DesignReport.h"

namespace korvane::report {

Json analysisRowsJson(std::span<const ResultRow> rows, const DesignParameters& parameters) {
    Json list = Json::array();
    for (const ResultRow& row : rows) {
        list.push_back({{"label", row.label},
                        {"value", jsonNumber(row.value)},
                        {"text", rowValueText(row, parameters)},
                        {"units", rowUnitsText(row, parameters)}});
    }
    return list;
}

Json analysisInputJson(const AnalysisEntry& entry, const DesignParameters& parameters) {
    auto text = [&entry](AnalysisField f) { return entry.text(f); };
    return {{"application", std::string(applicationCliName(entry.application()))},
            {"title", entry.title()},
            {"partNumber", text(AnalysisField::PartNumber)},
            {"stack", text(AnalysisField::StackCount)},
            {"wire", text(AnalysisField::Wire)},
            {"strands", text(AnalysisField::Strands)},
            {"turns", text(AnalysisField::Turns)},
            {"winding", entry.windingType() == WindingType::SingleLayer ? "single" : "full"},
            {"I1", text(AnalysisField::Current)},
            {"V1", text(AnalysisField::Voltage1)},
            {"V2", text(AnalysisField::Voltage2)},
            {"f", text(AnalysisField::Frequency)},
            {"ta", text(AnalysisField::Ambient)},
            {"units", std::string(unitSystemShortName(parameters.unitSystem()))},
            {"wireStandard", std::string(wireSystemShortName(parameters.wireSystem()))}};
}

Json analysisJson(const AnalysisEntry& entry, AnalysisOutcome outcome,
                  const DesignParameters& parameters, const std::vector<Message>& messages) {
    Json out = {{"input", analysisInputJson(entry, parameters)}};
    if (outcome == AnalysisOutcome::Analysed) {
        const auto electrical = std::span<const ResultRow>(entry.electricalRows())
                                    .first(static_cast<std::size_t>(entry.electricalRowCount()));
        out["electrical"] = analysisRowsJson(electrical, parameters);
        out["mechanical"] = analysisRowsJson(entry.mechanicalRows(), parameters);
        out["candidate"] = candidateJson(entry.candidate());
        if (entry.agingComputed()) {
            out["aging"] = {{"timeTo115PercentLoss", jsonNumber(entry.electricalRows()[13].value)},
                            {"lifeLimit", jsonNumber(entry.electricalRows()[14].value)}};
        }
    }
    out["messages"] = messagesJson(messages);
    return out;
}

} // namespace korvane::report
