#pragma once

#include "catalog/CatalogTables.h"

#include <span>
#include <string_view>

namespace korvane {

// Figures the catalog derives from its rows.

// Grams to pounds.
inline constexpr double kPoundsPerGram = 0.002204585537918871;

// Price of a core of volume V (cm^3) from the material's row of a price table:
// (q V + 1) / (r V + p); -1 when the material has no row (shown blank).
float corePrice(std::span<const PriceRow> prices, std::string_view material, double volume);

// Weight in pounds of a core of the given density (g/cm^3) and volume (cm^3).
float coreWeight(double density, double volume);

// Window figure of a toroid, thousands of circular mils: ID^2 * 1000 (ID in inches).
float toroidWindowArea(double ID);

// Window figure of an E-core from its window area in cm^2 (cm^2 -> in^2, times 1000).
float eCoreWindowArea(double windowAreaCm2);

// Length of one turn on the bare core, feet.
float toroidTurnLength(double OD, double ID, double Ht);
float compositeTurnLength(double OD, double ID, double Ht);
float eCoreTurnLength(double dimC, double dimE, double dimF);

} // namespace korvane
