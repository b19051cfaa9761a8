#include "catalog/CoreCatalog.h"

#include "format/Messages.h"
#include "support/RecordingSink.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace korvane {
namespace {

constexpr float kTol = 1e-5F;

CoreRecord sentinelRecord() {
    CoreRecord r;
    r.partNumber = "UNTOUCHED";
    r.AL = 123.0F;
    r.OD = 9.0F;
    return r;
}

class CoreCatalogTest : public ::testing::Test {
  protected:
    RecordingSink sink;
    ScopedMessageSink scope{sink};
    CoreCatalog catalog;
};

TEST_F(CoreCatalogTest, ListingCountsPerShape) {
    EXPECT_EQ(catalog.listingCount(CoreShape::Toroid), 536);
    EXPECT_EQ(catalog.listingCount(CoreShape::ECore), 174);
    EXPECT_EQ(catalog.listingCount(CoreShape::Composite), 10);
}

TEST_F(CoreCatalogTest, ReadCatalogLineCountsListingsLeft) {
    struct Case {
        CoreShape shape;
        int count;
    };
    for (const Case c : {Case{CoreShape::Toroid, 536}, Case{CoreShape::ECore, 174},
                         Case{CoreShape::Composite, 10}}) {
        CoreRecord r;
        EXPECT_EQ(catalog.readCatalogLine(r, 0, c.shape), c.count);
        EXPECT_EQ(catalog.readCatalogLine(r, c.count - 1, c.shape), 1);
        EXPECT_EQ(r.shape, c.shape);
        // past the end: 0 and the record as it was
        for (const int line : {c.count, c.count + 1, -1}) {
            CoreRecord s = sentinelRecord();
            EXPECT_EQ(catalog.readCatalogLine(s, line, c.shape), 0) << line;
            EXPECT_EQ(s.partNumber, "UNTOUCHED");
            EXPECT_FLOAT_EQ(s.AL, 123.0F);
            EXPECT_FLOAT_EQ(s.OD, 9.0F);
        }
    }
    EXPECT_TRUE(sink.empty());
}

TEST_F(CoreCatalogTest, ToroidRecordFromSizeAndPriceRows) {
    CoreRecord r;
    ASSERT_EQ(catalog.lookupPartNumber(r, "T80-275"), 1);
    // size 80: Ae 0.3201 cm^2, le 4.711 cm, ID 0.421, OD 0.8, Ht 0.272 in; -275: mu 75, 7.0 g/cm^3
    ASSERT_FLOAT_EQ(r.Ae, 0.3201F);
    ASSERT_FLOAT_EQ(r.le, 4.711F);
    EXPECT_EQ(r.shape, CoreShape::Toroid);
    EXPECT_EQ(r.material, "-275");
    EXPECT_FLOAT_EQ(r.initialPerm, 75.0F);
    EXPECT_FLOAT_EQ(r.OD, 0.8F);
    EXPECT_FLOAT_EQ(r.ID, 0.421F);
    EXPECT_FLOAT_EQ(r.Ht, 0.272F);
    EXPECT_FLOAT_EQ(r.dimA, 0.0F);
    // volume = 0.3201 * 4.711 = 1.5079911
    EXPECT_NEAR(r.volume, 1.5079911, kTol);
    // Aw = 0.421^2 * 1000 = 177.241
    EXPECT_NEAR(r.Aw, 177.241, 1e-3);
    // MLT = (0.8 - 0.421 + 0.544 + 1.05 * 0.421) / 12 = 1.36505 / 12 = 0.1137542
    EXPECT_NEAR(r.MLT, 0.1137542, kTol);
    // -275 row p 10, q 2, r 0.016: (2 * 1.50799 + 1) / (0.016 * 1.50799 + 10) = 0.4006316
    EXPECT_NEAR(r.price, 0.4006316, kTol);
    // 7.0 * 1.5079911 * 0.0022045855 = 0.0232715
    EXPECT_NEAR(r.weight, 0.0232715, kTol);
}

TEST_F(CoreCatalogTest, ECoreRecordFromSizeAndPriceRows) {
    CoreRecord r;
    ASSERT_EQ(catalog.lookupPartNumber(r, "E125-226"), 1);
    // size 125: C 0.366, E 0.36, F 0.9, volume 5.555 cm^3, window 1.261 cm^2; -226: 6.3 g/cm^3
    EXPECT_EQ(r.shape, CoreShape::ECore);
    EXPECT_FLOAT_EQ(r.OD, 0.0F);
    EXPECT_FLOAT_EQ(r.ID, 0.0F);
    EXPECT_FLOAT_EQ(r.Ht, 0.0F);
    EXPECT_FLOAT_EQ(r.initialPerm, 26.0F);
    EXPECT_FLOAT_EQ(r.volume, 5.555F);
    // Aw = 1.261 * 0.15500031 * 1000 = 195.4554
    EXPECT_NEAR(r.Aw, 195.4554, 1e-3);
    // MLT = (2 * (0.36 + 0.366) + (0.9 - 0.36)) / 12 = 1.992 / 12 = 0.166
    EXPECT_NEAR(r.MLT, 0.166, kTol);
    // E-core -226 row p 4, q 1.2, r 0.008: (1.2 * 5.555 + 1) / (0.008 * 5.555 + 4) = 1.8954416
    EXPECT_NEAR(r.price, 1.8954416, kTol);
    // 6.3 * 5.555 * 0.0022045855 = 0.0771528
    EXPECT_NEAR(r.weight, 0.0771528, kTol);
}

TEST_F(CoreCatalogTest, CompositeRecordFromListing) {
    CoreRecord r;
    ASSERT_EQ(catalog.lookupPartNumber(r, "ST130-M702"), 1);
    // listing: OD 1.3, ID 0.738, Ht 0.588 in, le 7.921 cm, Ae 1.039 cm^2; -M702: mu 125, 5.4
    EXPECT_EQ(r.shape, CoreShape::Composite);
    EXPECT_EQ(r.material, "-M702");
    EXPECT_FLOAT_EQ(r.initialPerm, 125.0F);
    EXPECT_FLOAT_EQ(r.AL, 198.0F);
    // volume = 1.039 * 7.921 = 8.229919
    EXPECT_NEAR(r.volume, 8.229919, 1e-4);
    // Aw = 0.738^2 * 1000 = 544.644
    EXPECT_NEAR(r.Aw, 544.644, 1e-3);
    // MLT = (1.3 - 0.738 + 1.176) / 12 = 0.1448333
    EXPECT_NEAR(r.MLT, 0.1448333, kTol);
    // -M702 row p 5.208, q 2, r 0.008333: 17.459838 / 5.2765805 = 3.308931
    EXPECT_NEAR(r.price, 3.308931, 1e-4);
    // 5.4 * 8.229919 * 0.0022045855 = 0.0979752
    EXPECT_NEAR(r.weight, 0.0979752, kTol);
}

TEST_F(CoreCatalogTest, LookupComparesTheWholeText) {
    CoreRecord plain;
    CoreRecord coated;
    ASSERT_EQ(catalog.lookupPartNumber(plain, "T130-260H"), 1);
    ASSERT_EQ(catalog.lookupPartNumber(coated, "T130-260H/90"), 1);
    EXPECT_EQ(plain.partNumber, "T130-260H");
    EXPECT_EQ(coated.partNumber, "T130-260H/90");
    // the qualifier is not part of the size key: both are size 130H
    EXPECT_FLOAT_EQ(coated.Ht, plain.Ht);
    EXPECT_FLOAT_EQ(coated.Ae, plain.Ae);
    EXPECT_FLOAT_EQ(coated.price, plain.price);
    CoreRecord base;
    ASSERT_EQ(catalog.lookupPartNumber(base, "T130-260"), 1);
    EXPECT_GT(plain.Ht, base.Ht);
    EXPECT_TRUE(sink.empty());
}

TEST_F(CoreCatalogTest, LookupSearchesOnlyTheShapeOfThePartNumber) {
    struct Case {
        const char* partNumber;
        const char* message;
        const char* lastRead; // the record holds the last listing read
    };
    const Case cases[] = {
        // a prefix of a listed part is not that part
        {"T130-260H/9", "Core P/N T130-260H/9 not found in 536 listings", "T520-300"},
        {"t80-275", "Core P/N t80-275 not found in 536 listings", "T520-300"},
        // ST: only the composite listings, even for a powder mix listed among the toroids
        {"ST130-260", "Core P/N ST130-260 not found in  10 listings", "ST225-M714"},
        // E: only the E-core listings
        {"E80-275", "Core P/N E80-275 not found in 174 listings", "E610-300"},
        // a composite material under a toroid name is searched among the toroids
        {"T130-M702", "Core P/N T130-M702 not found in 536 listings", "T520-300"},
        {"", "Core P/N  not found in 536 listings", "T520-300"},
    };
    for (const auto& c : cases) {
        sink.clear();
        CoreRecord r;
        EXPECT_EQ(catalog.lookupPartNumber(r, c.partNumber), -2) << c.partNumber;
        ASSERT_EQ(sink.size(), 1U) << c.partNumber;
        EXPECT_EQ(sink.last(), (Message{c.message, "KORVANE CATALOG LOOKUP ERROR "}));
        EXPECT_EQ(r.partNumber, c.lastRead);
    }
}

TEST_F(CoreCatalogTest, LastListingOfEachShapeIsFound) {
    for (const CoreShape shape : {CoreShape::Toroid, CoreShape::ECore, CoreShape::Composite}) {
        CoreRecord last;
        ASSERT_EQ(catalog.readCatalogLine(last, catalog.listingCount(shape) - 1, shape), 1);
        CoreRecord found;
        EXPECT_EQ(catalog.lookupPartNumber(found, last.partNumber), 1) << last.partNumber;
        EXPECT_EQ(found.partNumber, last.partNumber);
    }
    EXPECT_TRUE(sink.empty());
}

TEST_F(CoreCatalogTest, ReadListingsGivesEveryListingInOrder) {
    for (const CoreShape shape : {CoreShape::Toroid, CoreShape::ECore, CoreShape::Composite}) {
        const std::vector<CoreRecord> all = catalog.readListings(shape);
        ASSERT_EQ(static_cast<int>(all.size()), catalog.listingCount(shape));
        CoreRecord r;
        catalog.readCatalogLine(r, 3, shape);
        EXPECT_EQ(all[3].partNumber, r.partNumber);
        EXPECT_FLOAT_EQ(all[3].volume, r.volume);
    }
}

// A catalog over the built-in tables but with listings of its own.
CatalogTables withListings(std::span<const CatalogListing> toroids,
                           std::span<const CatalogListing> eCores) {
    CatalogTables t = builtInCatalogTables();
    t.toroidListings = toroids;
    t.eCoreListings = eCores;
    return t;
}

TEST_F(CoreCatalogTest, ToroidListingWithoutSizeRow) {
    constexpr std::array<CatalogListing, 3> toroids = {{
        {"T80-275", 30.0F}, {"T999-275A", 50.0F}, {"T80-999", 7.0F}, // material not in the table
    }};
    CoreCatalog local(withListings(toroids, eCoreListings()));
    CoreRecord r;
    ASSERT_EQ(local.readCatalogLine(r, 0, CoreShape::Toroid), 3);
    ASSERT_GT(r.OD, 0.0F);

    EXPECT_EQ(local.readCatalogLine(r, 1, CoreShape::Toroid), 2);
    ASSERT_EQ(sink.size(), 1U);
    // last size row "520", 75 rows searched, size field with the variant appended
    EXPECT_EQ(sink.last().text, "<error> unable to identify part size T999-275A pointer 520 \n "
                                "size_indx 75 coresize T999A \n");
    EXPECT_EQ(sink.last().caption, "TOROID CATALOG LOOKUP ERROR");
    // part number, AL, mu and material only: nothing left over from the core read before
    EXPECT_EQ(r.partNumber, "T999-275A");
    EXPECT_FLOAT_EQ(r.AL, 50.0F);
    EXPECT_FLOAT_EQ(r.initialPerm, 75.0F);
    EXPECT_EQ(r.material, "-275");
    EXPECT_FLOAT_EQ(r.OD, 0.0F);
    EXPECT_FLOAT_EQ(r.Ae, 0.0F);
    EXPECT_FLOAT_EQ(r.volume, 0.0F);
    EXPECT_FLOAT_EQ(r.weight, 0.0F);
    EXPECT_FLOAT_EQ(r.price, 0.0F);

    // unknown material: no message, part number and AL only
    EXPECT_EQ(local.readCatalogLine(r, 2, CoreShape::Toroid), 1);
    EXPECT_EQ(sink.size(), 1U);
    EXPECT_EQ(r.partNumber, "T80-999");
    EXPECT_FLOAT_EQ(r.AL, 7.0F);
    EXPECT_FLOAT_EQ(r.initialPerm, 0.0F);
    EXPECT_EQ(r.material, "");
    EXPECT_FLOAT_EQ(r.OD, 0.0F);

    // a lookup reads only the listing it finds: the broken one before it stays silent
    sink.clear();
    EXPECT_EQ(local.lookupPartNumber(r, "T80-999"), 1);
    EXPECT_TRUE(sink.empty());
    EXPECT_EQ(local.lookupPartNumber(r, "T999-275A"), 1);
    EXPECT_EQ(sink.size(), 1U);
}

TEST_F(CoreCatalogTest, ECoreListingWithoutSizeRow) {
    constexpr std::array<CatalogListing, 1> eCores = {{{"E999-226B/X", 40.0F}}};
    CoreCatalog local(withListings(toroidListings(), eCores));
    CoreRecord r;
    EXPECT_EQ(local.readCatalogLine(r, 0, CoreShape::ECore), 1);
    ASSERT_EQ(sink.size(), 1U);
    EXPECT_EQ(sink.last(),
              (Message{"<error> unable to identify part size E999-226B/X coresize E999B \n",
                       "E CORE CATALOG LOOKUP ERROR"}));
    EXPECT_FLOAT_EQ(r.initialPerm, 26.0F);
    EXPECT_FLOAT_EQ(r.dimA, 0.0F);
    EXPECT_EQ(local.listingCount(CoreShape::ECore), 1);
}

TEST(CoreCatalogBase, DoesNothingButClassify) {
    CoreCatalogBase base;
    CoreRecord r = sentinelRecord();
    BobbinRecord b;
    b.windingWidth = 4.0F;
    EXPECT_EQ(base.lookupPartNumber(r, "T80-275"), 1);
    EXPECT_EQ(base.readCatalogLine(r, 0, CoreShape::Toroid), 1);
    EXPECT_EQ(base.reserved(), 1);
    EXPECT_EQ(base.get_Bobbin_data(b, "E125-226", 1), 1);
    EXPECT_EQ(r.partNumber, "UNTOUCHED");
    EXPECT_FLOAT_EQ(b.windingWidth, 4.0F);
    CoreCatalog catalog;
    EXPECT_EQ(catalog.reserved(), 1);
}

TEST(CoreCatalogBase, ClassifyText) {
    struct Case {
        const char* text;
        int baseFlag; // starting from 7
    };
    const Case cases[] = {
        {"T80-275", 0}, {"E125-226", 0}, {"T80-275HC", 1}, {"HD400", 1},  {"80-275", 7},
        {"", 7},        {"H-C", 7},      {"xHCx", 1},      {"t80-hc", 7}, {"ST130-M702", 0},
    };
    for (const auto& c : cases) {
        CoreCatalogBase base;
        int flag = 7;
        EXPECT_EQ(base.classifyText(flag, c.text), 1);
        EXPECT_EQ(flag, c.baseFlag) << c.text;

        CoreCatalog derived;
        const CoreCatalogBase& asBase = derived;
        flag = 7;
        EXPECT_EQ(asBase.classifyText(flag, c.text), 1);
        EXPECT_EQ(flag, 0) << c.text;
    }
}

} // namespace
} // namespace korvane
