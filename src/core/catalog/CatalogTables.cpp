#include "catalog/CatalogTables.h"

namespace korvane {

const CatalogTables& builtInCatalogTables() {
    static const CatalogTables tables{toroidListings(), eCoreListings(), compositeListings(),
                                      toroidSizes(),    eCoreSizes(),    toroidPrices(),
                                      eCorePrices()};
    return tables;
}

} // namespace korvane
