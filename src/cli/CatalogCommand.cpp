#include "CliSupport.h"
#include "Commands.h"
#include "catalog/CoreCatalog.h"
#include "format/StrPrintf.h"
#include "report/CatalogReport.h"

#include <iostream>
#include <memory>

namespace korvane::cli {

namespace {

struct CatalogOptions {
    std::optional<std::string> shape;
    std::optional<std::string> part;
    OutputFormat format = OutputFormat::Text;
};

using report::CatalogEntry;

void printText(const std::vector<CatalogEntry>& entries) {
    std::optional<CoreShape> shown;
    for (const CatalogEntry& e : entries) {
        const CoreRecord& c = e.core;
        if (!shown || *shown != c.shape) {
            shown = c.shape;
            if (c.shape == CoreShape::ECore) {
                std::cout << "PART NUMBER     MAT.     MU     AL      A      B      C      D      E"
                             "      F     Ae     le  Aw kcm  MLT ft  Vol cm3  Wt Lbs   Price\n";
            } else {
                std::cout << "PART NUMBER     MAT.     MU     AL     OD     ID     Ht     Ae     le"
                             "  Aw kcm  MLT ft  Vol cm3  Wt Lbs   Price\n";
            }
        }
        std::cout << strprintf("%-15s %-6s %4.0f %6.0f", c.partNumber.c_str(), c.material.c_str(),
                               static_cast<double>(c.initialPerm), static_cast<double>(c.AL));
        if (c.shape == CoreShape::ECore) {
            for (float d : {c.dimA, c.dimB, c.dimC, c.dimD, c.dimE, c.dimF}) {
                std::cout << strprintf(" %6.3f", static_cast<double>(d));
            }
        } else {
            for (float d : {c.OD, c.ID, c.Ht}) {
                std::cout << strprintf(" %6.3f", static_cast<double>(d));
            }
        }
        std::cout << strprintf(" %6.3f %6.2f %7.1f %7.4f %8.3f %7.4f", static_cast<double>(c.Ae),
                               static_cast<double>(c.le), static_cast<double>(c.Aw),
                               static_cast<double>(c.MLT), static_cast<double>(c.volume),
                               static_cast<double>(c.weight));
        std::cout << (c.price > 0 ? strprintf(" %7.2f", static_cast<double>(c.price))
                                  : std::string(8, ' '))
                  << "\n";
    }
}

int runCatalog(const CatalogOptions& o, Context& context) {
    DesignSession session(&context.sink);
    const CoreCatalog& catalog = session.catalog();
    std::vector<CatalogEntry> entries;
    auto add = [&catalog, &entries](const CoreRecord& core) {
        CatalogEntry e{core, std::nullopt};
        if (core.shape == CoreShape::ECore) {
            BobbinRecord bobbin;
            if (catalog.get_Bobbin_data(bobbin, core.partNumber, 1) >= 1) {
                e.bobbin = bobbin;
            }
        }
        entries.push_back(e);
    };
    bool found = true;
    if (o.part) {
        CoreRecord core;
        found = catalog.lookupPartNumber(core, *o.part) >= 1;
        if (found) {
            add(core);
        }
    } else {
        for (CoreShape s : {CoreShape::Toroid, CoreShape::ECore, CoreShape::Composite}) {
            if (!o.shape || parseShape(*o.shape) == s) {
                for (const CoreRecord& core : catalog.readListings(s)) {
                    add(core);
                }
            }
        }
    }

    switch (o.format) {
    case OutputFormat::Json:
        printJson(Json{{"count", entries.size()},
                       {"cores", report::catalogJson(entries)},
                       {"messages", messagesJson(context.sink.messages())}});
        break;
    case OutputFormat::Csv:
        std::cout << report::catalogCsv(entries);
        break;
    case OutputFormat::Text:
        printText(entries);
        break;
    }
    return found ? kExitOk : kExitRefused;
}

} // namespace

void addCatalogCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<CatalogOptions>();
    CLI::App* command =
        app.add_subcommand("catalog", "List the built-in cores as complete records");
    command->add_option("--shape", options->shape, "Only the listings of one core shape")
        ->check(CLI::IsMember({"toroid", "e-core", "composite"}));
    command->add_option("--part", options->part, "Only the core with this part number");
    addFormatOption(command, options->format, true);
    command->callback([options, &context]() { context.exitCode = runCatalog(*options, context); });
}

} // namespace korvane::cli
