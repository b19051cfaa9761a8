#pragma once

#include "catalog/CatalogTables.h"
#include "catalog/CoreRecord.h"
#include "domain/SharedTypes.h"
#include "format/Messages.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvane {

// The catalog operations as the analysis window sees them: every operation but
// classifyText does nothing and answers 1.
class CoreCatalogBase {
  public:
    CoreCatalogBase() = default;
    CoreCatalogBase(const CoreCatalogBase&) = default;
    CoreCatalogBase& operator=(const CoreCatalogBase&) = default;
    virtual ~CoreCatalogBase() = default;

    virtual int lookupPartNumber(CoreRecord& record, std::string_view partNumber) const;
    virtual int readCatalogLine(CoreRecord& record, int line, CoreShape shape) const;
    virtual int reserved() const;
    virtual int get_Bobbin_data(BobbinRecord& bobbin, std::string_view partNumber,
                                int stackCount) const;
    // flag = 0 when the text holds "T" or "E"; then flag = 1 when it holds "HC" or "HD".
    virtual int classifyText(int& flag, std::string_view text) const;
};

// The built-in core catalog: the tables, and the record of every listing read from them once.
class CoreCatalog : public CoreCatalogBase {
  public:
    // Every listing is read into its record once, here; a read copies the record (and shows
    // the message of a listing that cannot be completed, as reading it from the tables does).
    CoreCatalog() : CoreCatalog(builtInCatalogTables()) {}
    explicit CoreCatalog(const CatalogTables& tables);

    // Fills the record of the listing whose part number equals the text (shape by the
    // leading letters): 1; not listed: message, -2, the record holds the last listing read.
    int lookupPartNumber(CoreRecord& record, std::string_view partNumber) const override;

    // Reads listing `line` (from 0) of a shape into the record; answers the number of
    // listings from this one to the end (1 for the last), 0 past the end with the record
    // untouched.
    int readCatalogLine(CoreRecord& record, int line, CoreShape shape) const override;

    // Bobbin of an E-core for `stackCount` stacked cores: the lookup's result (1), or the
    // lookup's failure (<= 0) with the bobbin untouched.
    int get_Bobbin_data(BobbinRecord& bobbin, std::string_view partNumber,
                        int stackCount) const override;

    // Sets the flag to 0; answers 1.
    int classifyText(int& flag, std::string_view text) const override;

    // Number of listings of a shape (536 toroids, 174 E-cores, 10 composites built in).
    int listingCount(CoreShape shape) const;

    // Every listing of a shape read into records, in catalog order.
    std::vector<CoreRecord> readListings(CoreShape shape) const;

    const CatalogTables& tables() const { return tables_; }

  private:
    struct Listing {
        CoreRecord record;
        std::optional<Message> error; // why the listing's record is incomplete
    };
    void buildRecord(CoreRecord& record, std::optional<Message>& error, std::size_t index,
                     CoreShape shape) const;

    CatalogTables tables_;
    std::array<std::vector<Listing>, 3> listings_;              // per shape, in catalog order
    std::array<std::unordered_map<std::string, int>, 3> lines_; // part number -> first line
};

} // namespace korvane
