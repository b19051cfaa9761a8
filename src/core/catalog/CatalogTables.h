#pragma once

#include <span>
#include <string_view>

namespace korvane {

// One catalog listing of a toroid or an E-core: the part number and its inductance index.
struct CatalogListing {
    std::string_view partNumber; // at most 15 characters
    float AL;                    // nH/turn^2
};

// A composite (powder iron / ferrite) toroid carries its own geometry in the listing.
struct CompositeListing {
    std::string_view partNumber;
    float AL;     // nH/turn^2
    float OD;     // in
    float ID;     // in
    float Ht;     // in
    float le;     // cm
    float Ae;     // cm^2
    float volume; // cm^3; the reader computes Ae * le instead
};

// Toroid geometry by size key (size digits plus the variant letter, if any).
struct ToroidSize {
    std::string_view key;
    float Ae; // cm^2
    float le; // cm
    float ID; // in
    float OD; // in
    float Ht; // in
};

// E-core geometry (one mated pair) by size key. A overall width, B height of one half,
// C stack depth, D window height of the pair, E centre-leg width, F span between the outer
// legs, all in inches.
struct ECoreSize {
    std::string_view key;
    float dimA, dimB, dimC, dimD, dimE, dimF;
    float le;         // cm
    float Ae;         // cm^2
    float volume;     // cm^3
    float windowArea; // cm^2, one window
};

// Price row of one material: price = (q V + 1) / (r V + p), V in cm^3. An empty code marks
// an unused place of the table.
struct PriceRow {
    std::string_view code;
    float p;
    float q;
    float r;
};

// The built-in tables, in catalog order (smallest core first).
std::span<const CatalogListing> toroidListings();
std::span<const CatalogListing> eCoreListings();
std::span<const CompositeListing> compositeListings();
std::span<const ToroidSize> toroidSizes();
std::span<const ECoreSize> eCoreSizes();
std::span<const PriceRow> toroidPrices(); // toroids and composite cores
std::span<const PriceRow> eCorePrices();

// The set of tables a catalog reads. The program uses the built-in set; a test may hand a
// catalog a set of its own.
struct CatalogTables {
    std::span<const CatalogListing> toroidListings;
    std::span<const CatalogListing> eCoreListings;
    std::span<const CompositeListing> compositeListings;
    std::span<const ToroidSize> toroidSizes;
    std::span<const ECoreSize> eCoreSizes;
    std::span<const PriceRow> toroidPrices;
    std::span<const PriceRow> eCorePrices;
};

const CatalogTables& builtInCatalogTables();

} // namespace korvane
