#include "catalog/CoreCatalog.h"

#include "catalog/Bobbin.h"
#include "catalog/CoreFigures.h"
#include "domain/PartNumber.h"
#include "format/Messages.h"
#include "format/StrPrintf.h"
#include "materials/MaterialTable.h"

#include <optional>
#include <span>
#include <string>

namespace korvane {

int CoreCatalogBase::lookupPartNumber(CoreRecord& /*record*/,
                                      std::string_view /*partNumber*/) const {
    return 1;
}

int CoreCatalogBase::readCatalogLine(CoreRecord& /*record*/, int /*line*/,
                                     CoreShape /*shape*/) const {
    return 1;
}

int CoreCatalogBase::reserved() const {
    return 1;
}

int CoreCatalogBase::get_Bobbin_data(BobbinRecord& /*bobbin*/, std::string_view /*partNumber*/,
                                     int /*stackCount*/) const {
    return 1;
}

int CoreCatalogBase::classifyText(int& flag, std::string_view text) const {
    if (text.find('T') != std::string_view::npos || text.find('E') != std::string_view::npos) {
        flag = 0;
    }
    if (text.find("HC") != std::string_view::npos || text.find("HD") != std::string_view::npos) {
        flag = 1;
    }
    return 1;
}

int CoreCatalog::classifyText(int& flag, std::string_view /*text*/) const {
    flag = 0;
    return 1;
}

int CoreCatalog::listingCount(CoreShape shape) const {
    switch (shape) {
    case CoreShape::Toroid:
        return static_cast<int>(tables_.toroidListings.size());
    case CoreShape::ECore:
        return static_cast<int>(tables_.eCoreListings.size());
    case CoreShape::Composite:
        return static_cast<int>(tables_.compositeListings.size());
    }
    return 0;
}

CoreCatalog::CoreCatalog(const CatalogTables& tables) : tables_(tables) {
    for (CoreShape shape : {CoreShape::Toroid, CoreShape::ECore, CoreShape::Composite}) {
        std::vector<Listing>& listings = listings_[static_cast<std::size_t>(toIndex(shape))];
        const int count = listingCount(shape);
        listings.resize(static_cast<std::size_t>(count));
        for (int line = 0; line < count; ++line) {
            Listing& l = listings[static_cast<std::size_t>(line)];
            buildRecord(l.record, l.error, static_cast<std::size_t>(line), shape);
        }
    }
    auto index = [this](CoreShape shape, const auto& listings) {
        auto& lines = lines_[static_cast<std::size_t>(toIndex(shape))];
        for (std::size_t i = 0; i < listings.size(); ++i) {
            lines.emplace(std::string(listings[i].partNumber), static_cast<int>(i)); // first wins
        }
    };
    index(CoreShape::Toroid, tables_.toroidListings);
    index(CoreShape::ECore, tables_.eCoreListings);
    index(CoreShape::Composite, tables_.compositeListings);
}

int CoreCatalog::readCatalogLine(CoreRecord& record, int line, CoreShape shape) const {
    const int count = listingCount(shape);
    if (line < 0 || line + 1 > count) {
        return 0;
    }
    const Listing& listing =
        listings_[static_cast<std::size_t>(toIndex(shape))][static_cast<std::size_t>(line)];
    record = listing.record;
    if (listing.error) {
        showMessage(listing.error->text, listing.error->caption);
    }
    return count - line;
}

void CoreCatalog::buildRecord(CoreRecord& record, std::optional<Message>& error, std::size_t index,
                              CoreShape shape) const {
    // Start from an empty record: a listing that cannot be completed must not carry the
    // geometry of the core read before it.
    record = CoreRecord{};
    const CompositeListing* composite = nullptr;
    if (shape == CoreShape::Composite) {
        composite = &tables_.compositeListings[index];
        record.partNumber = composite->partNumber;
        record.AL = composite->AL;
    } else {
        const CatalogListing& listing = shape == CoreShape::ECore ? tables_.eCoreListings[index]
                                                                  : tables_.toroidListings[index];
        record.partNumber = listing.partNumber;
        record.AL = listing.AL;
    }

    const PartNumberFields fields = parsePartNumber(record.partNumber);
    std::string sizeField = fields.sizeField;
    if (fields.fieldsRead == 3) {
        sizeField += fields.variant;
    }
    const std::string key = sizeKey(fields);

    const MaterialRecord* material = findMaterial(fields.material);
    if (material == nullptr) {
        return;
    }
    record.initialPerm = material->initialPerm;
    record.material = fields.material;

    switch (shape) {
    case CoreShape::Toroid: {
        const ToroidSize* size = nullptr;
        for (const ToroidSize& row : tables_.toroidSizes) {
            if (row.key == key) {
                size = &row;
                break;
            }
        }
        if (size == nullptr) {
            const std::string lastKey = tables_.toroidSizes.empty()
                                            ? std::string()
                                            : std::string(tables_.toroidSizes.back().key);
            error =
                Message{strprintf("<error> unable to identify part size %s pointer %s \n size_indx "
                                  "%d coresize %s \n",
                                  record.partNumber.c_str(), lastKey.c_str(),
                                  static_cast<int>(tables_.toroidSizes.size()), sizeField.c_str()),
                        "TOROID CATALOG LOOKUP ERROR"};
            return;
        }
        record.shape = CoreShape::Toroid;
        record.OD = size->OD;
        record.ID = size->ID;
        record.Ht = size->Ht;
        record.Ae = size->Ae;
        record.le = size->le;
        record.volume = static_cast<float>(static_cast<double>(size->Ae) * size->le);
        record.Aw = toroidWindowArea(size->ID);
        record.MLT = toroidTurnLength(size->OD, size->ID, size->Ht);
        record.price = corePrice(tables_.toroidPrices, record.material, record.volume);
        break;
    }
    case CoreShape::ECore: {
        const ECoreSize* size = nullptr;
        for (const ECoreSize& row : tables_.eCoreSizes) {
            if (row.key == key) {
                size = &row;
                break;
            }
        }
        if (size == nullptr) {
            error = Message{strprintf("<error> unable to identify part size %s coresize %s \n",
                                      record.partNumber.c_str(), sizeField.c_str()),
                            "E CORE CATALOG LOOKUP ERROR"};
            return;
        }
        record.shape = CoreShape::ECore;
        record.dimA = size->dimA;
        record.dimB = size->dimB;
        record.dimC = size->dimC;
        record.dimD = size->dimD;
        record.dimE = size->dimE;
        record.dimF = size->dimF;
        record.Ae = size->Ae;
        record.le = size->le;
        record.volume = size->volume;
        record.Aw = eCoreWindowArea(size->windowArea);
        record.MLT = eCoreTurnLength(size->dimC, size->dimE, size->dimF);
        record.price = corePrice(tables_.eCorePrices, record.material, record.volume);
        break;
    }
    case CoreShape::Composite:
        record.shape = CoreShape::Composite;
        record.OD = composite->OD;
        record.ID = composite->ID;
        record.Ht = composite->Ht;
        record.le = composite->le;
        record.Ae = composite->Ae;
        record.volume = static_cast<float>(static_cast<double>(composite->Ae) * composite->le);
        record.Aw = toroidWindowArea(composite->ID);
        record.MLT = compositeTurnLength(composite->OD, composite->ID, composite->Ht);
        record.price = corePrice(tables_.toroidPrices, record.material, record.volume);
        break;
    }
    record.weight = coreWeight(material->density, record.volume);
}

int CoreCatalog::lookupPartNumber(CoreRecord& record, std::string_view partNumber) const {
    // The listing is found by its part number first and only that line is read: the design
    // search looks every E-core up for its bobbin, and reading the whole shape up to it each
    // time made the search quadratic in the catalog.
    const CoreShape shape = shapeFromPartNumber(partNumber);
    const auto& lines = lines_[static_cast<std::size_t>(toIndex(shape))];
    const auto line = lines.find(std::string(partNumber));
    if (line != lines.end() && readCatalogLine(record, line->second, shape) > 0) {
        return 1;
    }
    // Not listed: the record holds the last listing of the shape, as after a full walk.
    const int count = listingCount(shape);
    if (count > 0) {
        readCatalogLine(record, count - 1, shape);
    }
    showMessage(strprintf("Core P/N %s not found in %3d listings", std::string(partNumber).c_str(),
                          listingCount(shape)),
                "KORVANE CATALOG LOOKUP ERROR ");
    return -2;
}

int CoreCatalog::get_Bobbin_data(BobbinRecord& bobbin, std::string_view partNumber,
                                 int stackCount) const {
    CoreRecord core;
    const int found = lookupPartNumber(core, partNumber);
    if (found <= 0) {
        return found;
    }
    bobbin = bobbinForCore(core, stackCount);
    return found;
}

std::vector<CoreRecord> CoreCatalog::readListings(CoreShape shape) const {
    std::vector<CoreRecord> records;
    records.reserve(static_cast<std::size_t>(listingCount(shape)));
    CoreRecord record;
    for (int line = 0; readCatalogLine(record, line, shape) > 0; ++line) {
        records.push_back(record);
    }
    return records;
}

} // namespace korvane
