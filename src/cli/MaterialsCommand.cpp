#include "CliSupport.h"
#include "Commands.h"
#include "format/StrPrintf.h"
#include "materials/MaterialLists.h"
#include "materials/MaterialSheet.h"
#include "report/CatalogReport.h"

#include <iostream>
#include <memory>

namespace korvane::cli {

namespace {

struct MaterialsOptions {
    OutputFormat format = OutputFormat::Text;
};

template <std::size_t N>
std::string numberText(const std::array<float, N>& values) {
    std::string text;
    for (float v : values) {
        text += strprintf(" %g", static_cast<double>(v));
    }
    return text;
}

void printSheet(const MaterialSheet& s) {
    std::cout << strprintf("%s  mu %g  density %g g/cm3\n", std::string(s.record.code).c_str(),
                           static_cast<double>(s.record.initialPerm),
                           static_cast<double>(s.record.density));
    if (s.selection) {
        std::cout << "  " << s.selection->description << "\n";
    }
    if (s.dcBias) {
        std::cout << "  DC bias kind " << s.dcBias->kind << ":" << numberText(s.dcBias->c) << "\n";
    }
    if (s.compositeDcBias) {
        std::cout << "  DC bias kind " << s.compositeDcBias->kind << ":"
                  << numberText(s.compositeDcBias->c) << "\n";
    }
    if (s.acMag) {
        std::cout << "  AC flux kind " << s.acMag->kind << ":" << numberText(s.acMag->c) << "\n";
    }
    if (s.acLimit) {
        std::cout << strprintf("  AC limit: mu %g, Bmax %g G, satFraction %g\n",
                               static_cast<double>(s.acLimit->initialPerm),
                               static_cast<double>(s.acLimit->Bmax),
                               static_cast<double>(s.acLimit->satFraction));
    }
    if (s.frequency) {
        std::cout << strprintf(
            "  frequency: a %g, b %g, c %g, d %g\n", static_cast<double>(s.frequency->a),
            static_cast<double>(s.frequency->b), static_cast<double>(s.frequency->c),
            static_cast<double>(s.frequency->d));
    }
    if (s.coreLoss) {
        std::cout << strprintf(
            "  core loss: a %g, b %g, c %g, d %g, line exponent %g\n",
            static_cast<double>(s.coreLoss->a), static_cast<double>(s.coreLoss->b),
            static_cast<double>(s.coreLoss->c), static_cast<double>(s.coreLoss->d),
            static_cast<double>(s.coreLoss->lineExponent));
    }
    if (s.aging) {
        std::cout << strprintf("  aging: k1 %g, k2 %g, k3 %g\n", static_cast<double>(s.aging->k1),
                               static_cast<double>(s.aging->k2), static_cast<double>(s.aging->k3));
    }
    if (s.composite) {
        std::cout << strprintf("  composite: loss factor %g, aging volume factor %g, base %s\n",
                               static_cast<double>(s.composite->lossFactor),
                               static_cast<double>(s.composite->agingVolumeFactor),
                               std::string(compositeBaseMaterial()).c_str());
    }
}

void printList(const char* title, std::span<const std::string_view> codes) {
    std::cout << title << ":";
    for (std::string_view c : codes) {
        std::cout << " " << c;
    }
    std::cout << "\n";
}

int runMaterials(const MaterialsOptions& o, Context& context) {
    const std::vector<MaterialSheet> sheets = allMaterialSheets();
    if (o.format == OutputFormat::Json) {
        Json out = report::materialsJson(sheets);
        out["messages"] = messagesJson(context.sink.messages());
        printJson(out);
        return kExitOk;
    }
    for (const MaterialSheet& s : sheets) {
        printSheet(s);
    }
    std::cout << "\n";
    printList("Negligible aging", negligibleAgingMaterials());
    printList("High-flux law above 7000 gauss", highFluxMaterials());
    printList("Discontinued", discontinuedMaterials());
    printList("Replacements", replacementMaterials());
    std::cout << "Composite base: " << compositeBaseMaterial() << "\n";
    std::cout << "60 Hz full permeability: " << line60HzFullPermList() << "\n";
    std::cout << "Resonant converters: " << resonantMaterialList() << "\n";
    printList("Graphs, lower DC-bias range", lowDcBiasRangeSubstrings());
    printList("Graphs, AC permeability to 6000 gauss", acGraph6000GaussSubstrings());
    printList("Graphs, composite materials", compositeGraphSubstrings());
    return kExitOk;
}

} // namespace

void addMaterialsCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<MaterialsOptions>();
    CLI::App* command = app.add_subcommand(
        "materials", "List every material with its coefficient rows and the maker's lists");
    addFormatOption(command, options->format, false);
    command->callback(
        [options, &context]() { context.exitCode = runMaterials(*options, context); });
}

} // namespace korvane::cli
