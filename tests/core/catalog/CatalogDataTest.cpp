// Property tests over the built-in catalog: every listing reads into a complete, physically
// consistent core, in the order the design search expects.
#include "catalog/CatalogTables.h"
#include "catalog/CoreCatalog.h"
#include "domain/PartNumber.h"
#include "format/Messages.h"
#include "materials/MaterialTable.h"
#include "support/RecordingSink.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace korvane {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kCm2PerIn2 = 6.4516;
constexpr double kCmPerIn = 2.54;

// |actual / expected - 1| <= tolerance
::testing::AssertionResult within(double actual, double expected, double tolerance) {
    if (expected > 0 && std::abs(actual / expected - 1.0) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << actual << " is not within " << tolerance * 100 << " % of " << expected;
}

double idealAL(double mu, double Ae, double le) {
    return 4.0 * kPi * mu * Ae / le; // nH/turn^2 with Ae in cm^2, le in cm
}

TEST(CatalogData, TableSizes) {
    EXPECT_EQ(toroidListings().size(), 536U);
    EXPECT_EQ(eCoreListings().size(), 174U);
    EXPECT_EQ(compositeListings().size(), 10U);
    EXPECT_EQ(toroidSizes().size(), 75U);
    EXPECT_EQ(eCoreSizes().size(), 29U);
    EXPECT_EQ(toroidPrices().size(), 24U);
    EXPECT_EQ(eCorePrices().size(), 13U);
}

TEST(CatalogData, PriceRows) {
    std::set<std::string> priced;
    for (const PriceRow& row : toroidPrices()) {
        if (row.code.empty()) {
            continue;
        }
        EXPECT_NE(findMaterial(row.code), nullptr) << row.code;
        EXPECT_TRUE(priced.insert(std::string(row.code)).second) << row.code;
    }
    // every material but the discontinued -233
    EXPECT_EQ(priced.size(), 21U);
    for (const MaterialRecord& m : materialTable()) {
        EXPECT_EQ(priced.count(std::string(m.code)), m.code == "-233" ? 0U : 1U) << m.code;
    }
    priced.clear();
    for (const PriceRow& row : eCorePrices()) {
        EXPECT_NE(findMaterial(row.code), nullptr) << row.code;
        EXPECT_TRUE(priced.insert(std::string(row.code)).second) << row.code;
    }
    for (const PriceRow& row : toroidPrices()) {
        if (row.code.empty()) {
            continue;
        }
        // rising with volume: d/dV (qV + 1)/(rV + p) > 0 when q p > r
        EXPECT_GT(row.p, 0.0F);
        EXPECT_GT(static_cast<double>(row.q) * row.p, row.r) << row.code;
    }
}

TEST(CatalogData, PartNumbers) {
    std::set<std::string> seen;
    auto check = [&](std::string_view pn, CoreShape shape) {
        EXPECT_LE(pn.size(), 15U) << pn;
        EXPECT_TRUE(seen.insert(std::string(pn)).second) << "duplicate " << pn;
        EXPECT_EQ(shapeFromPartNumber(pn), shape) << pn;
        const PartNumberFields f = parsePartNumber(pn);
        EXPECT_GE(f.fieldsRead, 2) << pn;
        EXPECT_NE(findMaterial(f.material), nullptr) << pn;
    };
    for (const auto& l : toroidListings()) {
        check(l.partNumber, CoreShape::Toroid);
        const std::string key = sizeKey(parsePartNumber(l.partNumber));
        EXPECT_TRUE(std::any_of(toroidSizes().begin(), toroidSizes().end(),
                                [&](const ToroidSize& s) { return s.key == key; }))
            << l.partNumber;
    }
    for (const auto& l : eCoreListings()) {
        check(l.partNumber, CoreShape::ECore);
        const std::string key = sizeKey(parsePartNumber(l.partNumber));
        EXPECT_TRUE(std::any_of(eCoreSizes().begin(), eCoreSizes().end(), [&](const ECoreSize& s) {
            return s.key == key;
        })) << l.partNumber;
    }
    for (const auto& l : compositeListings()) {
        check(l.partNumber, CoreShape::Composite);
    }
}

TEST(CatalogData, EverySizeRowIsListed) {
    std::set<std::string> keys;
    for (const auto& l : toroidListings()) {
        keys.insert(sizeKey(parsePartNumber(l.partNumber)));
    }
    for (const ToroidSize& s : toroidSizes()) {
        EXPECT_EQ(keys.count(std::string(s.key)), 1U) << s.key;
    }
    keys.clear();
    for (const auto& l : eCoreListings()) {
        keys.insert(sizeKey(parsePartNumber(l.partNumber)));
    }
    for (const ECoreSize& s : eCoreSizes()) {
        EXPECT_EQ(keys.count(std::string(s.key)), 1U) << s.key;
    }
}

void expectToroidGeometry(std::string_view name, double OD, double ID, double Ht, double Ae,
                          double le) {
    ASSERT_GT(ID, 0.0) << name;
    ASSERT_GT(OD, ID) << name;
    ASSERT_GT(Ht, 0.0) << name;
    EXPECT_TRUE(within(Ae, (OD - ID) / 2 * Ht * kCm2PerIn2, 0.20)) << name << " Ae";
    EXPECT_TRUE(within(le, kPi * (OD - ID) / std::log(OD / ID) * kCmPerIn, 0.10)) << name << " le";
}

TEST(CatalogData, ToroidSizesAreConsistent) {
    double smallest = 1e9;
    double largest = 0;
    for (const ToroidSize& s : toroidSizes()) {
        expectToroidGeometry(s.key, s.OD, s.ID, s.Ht, s.Ae, s.le);
        smallest = std::min<double>(smallest, s.OD);
        largest = std::max<double>(largest, s.OD);
    }
    EXPECT_NEAR(smallest, 0.12, 0.02);
    EXPECT_NEAR(largest, 5.2, 0.2);
    for (const CompositeListing& c : compositeListings()) {
        expectToroidGeometry(c.partNumber, c.OD, c.ID, c.Ht, c.Ae, c.le);
        EXPECT_TRUE(within(c.volume, static_cast<double>(c.Ae) * c.le, 0.01)) << c.partNumber;
    }
}

TEST(CatalogData, ECoreSizesAreConsistent) {
    for (const ECoreSize& s : eCoreSizes()) {
        SCOPED_TRACE(std::string(s.key));
        EXPECT_LT(s.dimE, s.dimF);
        EXPECT_LT(s.dimF, s.dimA);
        EXPECT_GT(s.dimB, 0.0F);
        EXPECT_GT(s.dimC, 0.0F);
        EXPECT_GT(s.dimD, 0.0F);
        // the window must leave a yoke in each half
        EXPECT_LT(s.dimD, 2 * s.dimB);
        EXPECT_TRUE(within(s.Ae, static_cast<double>(s.dimE) * s.dimC * kCm2PerIn2, 0.15));
        EXPECT_TRUE(within(s.windowArea, (s.dimF - s.dimE) / 2.0 * s.dimD * kCm2PerIn2, 0.15));
        EXPECT_TRUE(
            within(s.le, (2.0 * s.dimD + s.dimF + (s.dimA - s.dimF) / 2.0) * kCmPerIn, 0.25));
        EXPECT_TRUE(within(s.volume, static_cast<double>(s.Ae) * s.le, 0.15));
    }
}

// Every listing of every shape, read by the catalog itself.
std::map<CoreShape, std::vector<CoreRecord>> readAll(RecordingSink& sink) {
    ScopedMessageSink scope(sink);
    CoreCatalog catalog;
    std::map<CoreShape, std::vector<CoreRecord>> all;
    for (const CoreShape shape : {CoreShape::Toroid, CoreShape::ECore, CoreShape::Composite}) {
        all[shape] = catalog.readListings(shape);
    }
    return all;
}

TEST(CatalogData, EveryListingReadsIntoACompleteRecord) {
    RecordingSink sink;
    const auto all = readAll(sink);
    EXPECT_TRUE(sink.empty()) << sink.messages().front().text;
    for (const auto& [shape, records] : all) {
        for (const CoreRecord& r : records) {
            SCOPED_TRACE(r.partNumber);
            EXPECT_EQ(r.shape, shape);
            const MaterialRecord* m = findMaterial(r.material);
            ASSERT_NE(m, nullptr);
            EXPECT_FLOAT_EQ(r.initialPerm, m->initialPerm);
            EXPECT_GT(r.AL, 0.0F);
            EXPECT_GT(r.Ae, 0.0F);
            EXPECT_GT(r.le, 0.0F);
            EXPECT_GT(r.Aw, 0.0F);
            EXPECT_GT(r.MLT, 0.0F);
            EXPECT_GT(r.volume, 0.0F);
            EXPECT_GT(r.weight, 0.0F);
            if (r.material == "-233") {
                EXPECT_FLOAT_EQ(r.price, -1.0F);
            } else {
                EXPECT_GT(r.price, 0.0F);
            }
            if (shape == CoreShape::ECore) {
                EXPECT_GT(r.dimA, 0.0F);
                EXPECT_FLOAT_EQ(r.OD, 0.0F);
            } else {
                EXPECT_GT(r.OD, r.ID);
                EXPECT_FLOAT_EQ(r.dimA, 0.0F);
            }
            // the record is found again by its part number
            RecordingSink lookupSink;
            ScopedMessageSink scope(lookupSink);
            CoreRecord again;
            EXPECT_EQ(CoreCatalog().lookupPartNumber(again, r.partNumber), 1);
            EXPECT_EQ(again.partNumber, r.partNumber);
            EXPECT_TRUE(lookupSink.empty());
        }
    }
}

TEST(CatalogData, InductanceIndexMatchesPermeability) {
    RecordingSink sink;
    const auto all = readAll(sink);
    for (const auto& [shape, records] : all) {
        // E-cores lose a little to the mating faces of the pair
        const double tolerance = shape == CoreShape::ECore ? 0.20 : 0.15;
        for (const CoreRecord& r : records) {
            EXPECT_TRUE(within(r.AL, idealAL(r.initialPerm, r.Ae, r.le), tolerance))
                << r.partNumber;
        }
    }
}

TEST(CatalogData, ListingsRunFromTheSmallestCoreUp) {
    RecordingSink sink;
    const auto all = readAll(sink);
    for (const auto& [shape, records] : all) {
        for (std::size_t i = 1; i < records.size(); ++i) {
            const CoreRecord& a = records[i - 1];
            const CoreRecord& b = records[i];
            EXPECT_LE(a.volume, b.volume) << a.partNumber << " before " << b.partNumber;
            if (a.volume == b.volume) {
                // same size: materials in table order, a qualified listing after its own
                const auto order = [](const std::string& code) {
                    return findMaterial(code) - materialTable().data();
                };
                EXPECT_LE(order(a.material), order(b.material))
                    << a.partNumber << " before " << b.partNumber;
                if (a.material == b.material) {
                    EXPECT_EQ(b.partNumber.rfind(a.partNumber + "/", 0), 0U) << b.partNumber;
                }
            }
        }
    }
}

TEST(CatalogData, PricesRiseWithVolumeForEachMaterial) {
    RecordingSink sink;
    const auto all = readAll(sink);
    for (const auto& [shape, records] : all) {
        std::map<std::string, std::vector<const CoreRecord*>> byMaterial;
        for (const CoreRecord& r : records) {
            byMaterial[r.material].push_back(&r);
        }
        for (auto& [material, cores] : byMaterial) {
            if (cores.front()->price < 0) {
                continue; // no price row: blank throughout, checked above
            }
            std::sort(cores.begin(), cores.end(), [](const CoreRecord* a, const CoreRecord* b) {
                return a->volume < b->volume;
            });
            for (std::size_t i = 1; i < cores.size(); ++i) {
                if (cores[i]->volume > cores[i - 1]->volume) {
                    EXPECT_GT(cores[i]->price, cores[i - 1]->price) << cores[i]->partNumber;
                }
            }
        }
    }
}

TEST(CatalogData, DiscontinuedMixesOnAHandfulOfListings) {
    int count = 0;
    for (const auto& l : toroidListings()) {
        const std::string material = parsePartNumber(l.partNumber).material;
        count += material == "-233" || material == "-246" ? 1 : 0;
    }
    for (const auto& l : eCoreListings()) {
        const std::string material = parsePartNumber(l.partNumber).material;
        count += material == "-233" || material == "-246" ? 1 : 0;
    }
    EXPECT_GT(count, 0);
    EXPECT_LE(count, 15);
}

} // namespace
} // namespace korvane
