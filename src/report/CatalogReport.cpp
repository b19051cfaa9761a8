#include "report/CatalogReport.h"

#include "format/StrPrintf.h"
#include "materials/MaterialLists.h"

namespace korvane::report {

namespace {

template <std::size_t N>
Json numbers(const std::array<float, N>& values) {
    Json list = Json::array();
    for (float v : values) {
        list.push_back(jsonNumber(v));
    }
    return list;
}

Json listJson(std::span<const std::string_view> codes) {
    Json list = Json::array();
    for (std::string_view c : codes) {
        list.push_back(std::string(c));
    }
    return list;
}

} // namespace

const char* shapeName(CoreShape s) {
    switch (s) {
    case CoreShape::ECore:
        return "e-core";
    case CoreShape::Composite:
        return "composite";
    case CoreShape::Toroid:
        break;
    }
    return "toroid";
}

Json bobbinJson(const BobbinRecord& b) {
    return {{"flangeHeight", jsonNumber(b.flangeHeight)},
            {"flangeWidth", jsonNumber(b.flangeWidth)},
            {"tubeDepth", jsonNumber(b.tubeDepth)},
            {"tubeWidth", jsonNumber(b.tubeWidth)},
            {"innerWidth", jsonNumber(b.innerWidth)},
            {"innerHeight", jsonNumber(b.innerHeight)},
            {"flangeThickness", jsonNumber(b.flangeThickness)},
            {"bobbinLength", jsonNumber(b.bobbinLength)},
            {"windingWidth", jsonNumber(b.windingWidth)},
            {"windingDepth", jsonNumber(b.windingDepth)},
            {"tubePerimeter", jsonNumber(b.tubePerimeter)}};
}

std::vector<std::pair<const char*, float>> coreNumbers(const CoreRecord& c) {
    return {{"initialPerm", c.initialPerm},
            {"price", c.price},
            {"AL", c.AL},
            {"OD", c.OD},
            {"ID", c.ID},
            {"Ht", c.Ht},
            {"dimA", c.dimA},
            {"dimB", c.dimB},
            {"dimC", c.dimC},
            {"dimD", c.dimD},
            {"dimE", c.dimE},
            {"dimF", c.dimF},
            {"Ae", c.Ae},
            {"le", c.le},
            {"Aw", c.Aw},
            {"MLT", c.MLT},
            {"volume", c.volume},
            {"weight", c.weight}};
}

std::vector<std::pair<const char*, float>> bobbinNumbers(const BobbinRecord& b) {
    return {{"flangeHeight", b.flangeHeight},
            {"flangeWidth", b.flangeWidth},
            {"tubeDepth", b.tubeDepth},
            {"tubeWidth", b.tubeWidth},
            {"innerWidth", b.innerWidth},
            {"innerHeight", b.innerHeight},
            {"flangeThickness", b.flangeThickness},
            {"bobbinLength", b.bobbinLength},
            {"windingWidth", b.windingWidth},
            {"windingDepth", b.windingDepth},
            {"tubePerimeter", b.tubePerimeter}};
}

Json catalogJson(std::span<const CatalogEntry> entries) {
    Json cores = Json::array();
    for (const CatalogEntry& e : entries) {
        Json j = {{"partNumber", e.core.partNumber},
                  {"shape", shapeName(e.core.shape)},
                  {"material", e.core.material}};
        for (const auto& [name, value] : coreNumbers(e.core)) {
            j[name] = jsonNumber(value);
        }
        if (e.bobbin) {
            j["bobbin"] = bobbinJson(*e.bobbin);
        }
        cores.push_back(j);
    }
    return cores;
}

std::string catalogCsv(std::span<const CatalogEntry> entries) {
    std::string csv;
    csv += "partNumber,shape,material";
    for (const auto& [name, value] : coreNumbers(CoreRecord{})) {
        csv += std::string(",") + name;
    }
    for (const auto& [name, value] : bobbinNumbers(BobbinRecord{})) {
        csv += std::string(",bobbin.") + name;
    }
    csv += "\n";
    for (const CatalogEntry& e : entries) {
        csv += e.core.partNumber + "," + shapeName(e.core.shape) + "," + e.core.material;
        for (const auto& [name, value] : coreNumbers(e.core)) {
            csv += "," + strprintf("%g", static_cast<double>(value));
        }
        for (const auto& [name, value] : bobbinNumbers(e.bobbin.value_or(BobbinRecord{}))) {
            csv += ",";
            if (e.bobbin) {
                csv += strprintf("%g", static_cast<double>(value));
            }
        }
        csv += "\n";
    }
    return csv;
}

Json materialSheetJson(const MaterialSheet& s) {
    Json j = {{"code", std::string(s.record.code)},
              {"initialPerm", jsonNumber(s.record.initialPerm)},
              {"density", jsonNumber(s.record.density)}};
    j["description"] = s.selection ? Json(std::string(s.selection->description)) : Json(nullptr);
    j["selectable"] = s.selection.has_value();
    if (s.dcBias) {
        j["dcBias"] = {{"kind", s.dcBias->kind}, {"c", numbers(s.dcBias->c)}};
    }
    if (s.compositeDcBias) {
        j["compositeDcBias"] = {{"kind", s.compositeDcBias->kind},
                                {"c", numbers(s.compositeDcBias->c)}};
    }
    if (s.acMag) {
        j["acMag"] = {{"kind", s.acMag->kind}, {"c", numbers(s.acMag->c)}};
    }
    if (s.acLimit) {
        j["acLimit"] = {{"initialPerm", jsonNumber(s.acLimit->initialPerm)},
                        {"Bmax", jsonNumber(s.acLimit->Bmax)},
                        {"satFraction", jsonNumber(s.acLimit->satFraction)}};
    }
    if (s.frequency) {
        j["frequency"] = {{"a", jsonNumber(s.frequency->a)},
                          {"b", jsonNumber(s.frequency->b)},
                          {"c", jsonNumber(s.frequency->c)},
                          {"d", jsonNumber(s.frequency->d)}};
    }
    if (s.coreLoss) {
        j["coreLoss"] = {{"a", jsonNumber(s.coreLoss->a)},
                         {"b", jsonNumber(s.coreLoss->b)},
                         {"c", jsonNumber(s.coreLoss->c)},
                         {"d", jsonNumber(s.coreLoss->d)},
                         {"lineExponent", jsonNumber(s.coreLoss->lineExponent)}};
    }
    if (s.aging) {
        j["aging"] = {{"k1", jsonNumber(s.aging->k1)},
                      {"k2", jsonNumber(s.aging->k2)},
                      {"k3", jsonNumber(s.aging->k3)}};
    }
    if (s.composite) {
        j["composite"] = {{"lossFactor", jsonNumber(s.composite->lossFactor)},
                          {"agingVolumeFactor", jsonNumber(s.composite->agingVolumeFactor)}};
    }
    if (s.biasSearch) {
        j["biasSearch"] = {{"max", jsonNumber(s.biasSearch->biasSearchMax)},
                           {"start", jsonNumber(s.biasSearch->biasSearchStart)},
                           {"step", jsonNumber(s.biasSearch->biasSearchStep)}};
    }
    j["discontinued"] = s.discontinued;
    j["negligibleAging"] = s.negligibleAging;
    j["highFlux"] = s.highFlux;
    j["line60HzFullPerm"] = s.line60HzFullPerm;
    j["resonant"] = s.resonant;
    return j;
}

Json materialsJson(std::span<const MaterialSheet> sheets) {
    Json materials = Json::array();
    for (const MaterialSheet& s : sheets) {
        materials.push_back(materialSheetJson(s));
    }
    Json composites = Json::array();
    for (const CompositeMaterial& c : compositeMaterials()) {
        composites.push_back(std::string(c.code));
    }
    const Json lists = {{"negligibleAging", listJson(negligibleAgingMaterials())},
                        {"highFlux", listJson(highFluxMaterials())},
                        {"discontinued", listJson(discontinuedMaterials())},
                        {"replacements", listJson(replacementMaterials())},
                        {"composite", composites},
                        {"compositeBase", std::string(compositeBaseMaterial())},
                        {"line60HzFullPerm", std::string(line60HzFullPermList())},
                        {"resonant", std::string(resonantMaterialList())},
                        {"lowDcBiasRangeSubstrings", listJson(lowDcBiasRangeSubstrings())},
                        {"acGraph6000GaussSubstrings", listJson(acGraph6000GaussSubstrings())},
                        {"compositeGraphSubstrings", listJson(compositeGraphSubstrings())}};
    return Json{{"count", sheets.size()}, {"materials", materials}, {"lists", lists}};
}

} // namespace korvane::report
