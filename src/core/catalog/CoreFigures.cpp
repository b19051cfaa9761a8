#include "catalog/CoreFigures.h"

namespace korvane {

float corePrice(std::span<const PriceRow> prices, std::string_view material, double volume) {
    for (const PriceRow& row : prices) {
        if (!row.code.empty() && row.code == material) {
            const double denominator = static_cast<double>(row.r) * volume + row.p;
            // A row without a positive denominator has no usable price.
            if (!(denominator > 0)) {
                return -1.0F;
            }
            return static_cast<float>((static_cast<double>(row.q) * volume + 1.0) / denominator);
        }
    }
    return -1.0F;
}

float coreWeight(double density, double volume) {
    return static_cast<float>(density * volume * kPoundsPerGram);
}

float toroidWindowArea(double ID) {
    return static_cast<float>(ID * ID * 1000.0);
}

float eCoreWindowArea(double windowAreaCm2) {
    return static_cast<float>(windowAreaCm2 * 0.15500031 * 1000.0);
}

float toroidTurnLength(double OD, double ID, double Ht) {
    // the turn around the core section plus an allowance of 1.05 ID for the hole
    return static_cast<float>((OD - ID + 2.0 * Ht + 1.05 * ID) / 12.0);
}

float compositeTurnLength(double OD, double ID, double Ht) {
    return static_cast<float>((OD - ID + 2.0 * Ht) / 12.0);
}

float eCoreTurnLength(double dimC, double dimE, double dimF) {
    return static_cast<float>((2.0 * (dimE + dimC) + (dimF - dimE)) / 12.0);
}

} // namespace korvane
