#!/usr/bin/env python3
"""Generates src/core/catalog/CatalogData.cpp, Korvane's built-in core catalog.

Run from the repository root:  python3 tools/gen_catalog_data.py
The output is committed; rerunning this script reproduces it byte for byte
(python3 tools/gen_catalog_data.py --check fails when it does not).

Every figure of the catalog follows from the product-line rules below:

Toroids
  Size digits are the outside diameter in hundredths of an inch ("T80" is 0.80 in OD).
  Inside diameter and height follow the family proportions (ID/OD about 0.48-0.60,
  Ht/OD about 0.30-0.43) with a small, repeatable spread so the sizes are not all alike.
  Size variants keep the OD of their base size:
    A  tall version, 1.5 x height        B  double height
    C  low profile, 0.6 x height         D  thin wall, ID/OD 0.68
    H  high version, 2.2 x height
  Ae is the rectangular section less the four edge radii (radius a quarter of the smaller
  side, each corner losing (1 - pi/4) r^2); le is the effective toroid path
  pi (OD - ID) / ln(OD / ID).  AL = 4 pi mu Ae / le nH times the mix's
  pressing factor (see AL_FACTOR): finished cores come in a little below the ideal figure.
  The qualifier "/90" marks a listing supplied with the 900 V heavy coating; its magnetics
  are those of the standard part.

E-cores
  Size digits are the overall width A in hundredths of an inch.  Dimensions:
    A overall width of the pair, B height of one half, C stack depth, D window height of the
    mated pair, E centre-leg width, F span between the outer legs (E < F < A).
  The yoke is y = B - D/2 thick and the outer legs (A - F)/2 wide.
  Ae = E C less the edge radii; window area = (F - E)/2 x D (one window);
  le = 2 D + F + (A - F)/2 + y: the mean path through the centre and outer legs,
  with the four corners taking back about one yoke thickness; volume = Ae le.
  AL uses the effective permeability of the mated pair, whose two mating faces leave a
  0.0004 in gap each in the path: mu_e = mu / (1 + mu g / le), times the pressing factor.
  Variant A is the 1.5 x deeper pressing of the same outline.

Composite toroids (iron powder / ferrite, "ST" part numbers)
  Same toroid geometry rules, taller proportions; -M702 has an effective permeability of
  125 and -M714 of 160 (the MaterialTable figures), used for AL.

Prices (per core)
  price = (q V + 1) / (r V + p), V in cm^3: 1/p is the price of the smallest pressings,
  q/p the price per cm^3 of small cores and q/r the ceiling approached by the largest ones.
  Each mix has a cost multiplier m (carbonyl irons dearer than the power mixes):
  toroids p = 12.5/m, q = 2.0, r = 0.02/m (1/p = 0.08 m, ceiling 100 m);
  E-cores (per pair) p = 4.0/m, q = 1.2, r = 0.008/m.
  -233 has no toroid price row (discontinued: no longer quoted); its place stays empty, and
  two spare places close the table.

Listing order: by core volume from the smallest core up, and within a size by material in
MaterialTable order; a qualified listing follows its standard one.
"""

import math
import os
import re
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# ---------------------------------------------------------------------------------------------
# Materials: codes and mu read from the material table itself, in table order.


def read_material_table():
    path = os.path.join(ROOT, "src", "core", "materials", "MaterialTableData.cpp")
    with open(path, encoding="utf-8") as fh:
        text = fh.read()
    rows = re.findall(r'\{"(-M?[0-9]+)",\s*([0-9.]+)F,\s*([0-9.]+)F\}', text)
    return [(code, float(mu)) for code, mu, _density in rows]


MATERIALS = read_material_table()
MU = dict(MATERIALS)
ORDER = {code: i for i, (code, _) in enumerate(MATERIALS)}

# Ratio of the catalog AL to the ideal 4 pi mu Ae / le for cores pressed from each mix.
AL_FACTOR = {
    "-104": 0.98, "-106": 0.98, "-109": 0.97, "-110": 0.97, "-112": 0.97, "-116": 0.96,
    "-120": 0.96, "-125": 0.96, "-226": 0.95, "-233": 0.95, "-235": 0.95, "-240": 0.95,
    "-246": 0.94, "-255": 0.94, "-260": 0.94, "-275": 0.93, "-280": 0.93, "-385": 0.92,
    "-390": 0.92, "-300": 0.92, "-M702": 0.96, "-M714": 0.95,
}

# Cost multipliers of the toroid price rows (None: no price row).
TOROID_COST = {
    "-104": 2.2, "-106": 2.1, "-109": 2.0, "-110": 1.9, "-112": 1.8, "-116": 1.7,
    "-120": 1.6, "-125": 1.5, "-226": 1.0, "-233": None, "-235": 1.05, "-240": 1.1,
    "-246": 1.15, "-255": 1.2, "-260": 1.2, "-275": 1.25, "-280": 1.3, "-385": 1.35,
    "-390": 1.4, "-300": 1.5, "-M702": 2.4, "-M714": 2.6,
}
TOROID_PRICE_PLACES = 24
SPARE_PRICE_PLACES = 2

# E-core mixes and their cost multipliers.
ECORE_COST = {
    "-110": 1.9, "-116": 1.7, "-120": 1.6, "-125": 1.5, "-226": 1.0, "-235": 1.05,
    "-240": 1.1, "-246": 1.15, "-255": 1.2, "-260": 1.2, "-275": 1.25, "-280": 1.3,
    "-300": 1.5,
}

CM2_PER_IN2 = 6.4516
CM_PER_IN = 2.54


def wobble(i, k):
    """Repeatable spread in [-1, 1] for size i and property k."""
    return (((i * 37 + k * 23) % 11) - 5) / 5.0


def sig(x, digits):
    """x rounded to the given number of significant digits."""
    if x == 0:
        return 0.0
    e = math.floor(math.log10(abs(x)))
    return round(x, digits - 1 - e)


def round_al(x):
    if x < 1:
        return round(x, 2)
    if x < 10:
        return round(x, 1)
    return float(round(x))


def f32(x):
    """C++ float literal of a Python float that already holds the rounded catalog figure."""
    text = repr(float(x))
    if "e" in text or "E" in text:
        return text + "F"
    if "." not in text:
        text += ".0"
    return text + "F"


def as_float(x):
    """x as the program stores it: a 32-bit float."""
    return struct.unpack("f", struct.pack("f", x))[0]


def edge_radius_loss(w, h):
    r = 0.25 * min(w, h)
    return 4 * (1 - math.pi / 4) * r * r


# ---------------------------------------------------------------------------------------------
# Toroid sizes.

TOROID_BASE_OD = [
    12, 14, 16, 18, 20, 22, 25, 27, 30, 33, 37, 40, 44, 47, 50, 54, 57, 60, 63, 68, 72, 76,
    80, 84, 88, 94, 100, 106, 112, 118, 125, 130, 137, 145, 150, 157, 165, 175, 184, 194,
    200, 212, 225, 234, 250, 260, 275, 290, 300, 317, 330, 350, 368, 380, 400, 410, 425,
    440, 450, 467, 480, 500, 520,
]

TOROID_VARIANTS = [
    ("37", "A"), ("50", "A"), ("68", "A"), ("80", "A"), ("94", "B"), ("106", "A"),
    ("130", "H"), ("157", "C"), ("184", "C"), ("225", "D"), ("300", "H"), ("400", "D"),
]


def toroid_proportions(i, od):
    """ID/OD and Ht/OD of base size i: small cores have thicker walls and are flatter."""
    id_ratio = 0.50 + 0.08 * min(1.0, od / 1.5) + 0.02 * wobble(i, 1)
    ht_ratio = 0.33 + 0.07 * min(1.0, od / 2.0) + 0.03 * wobble(i, 2)
    if od < 0.13:
        # The 0.12 in core is pressed relatively taller, so it keeps a window-and-section
        # product the design search accepts as a complete set of dimensions.
        ht_ratio = max(ht_ratio, 0.36)
    return id_ratio, ht_ratio


def toroid_row(key, od, idd, ht):
    w = (od - idd) / 2
    ae = sig((w * ht - edge_radius_loss(w, ht)) * CM2_PER_IN2, 4)
    le = sig(math.pi * (od - idd) / math.log(od / idd) * CM_PER_IN, 4)
    return {"key": key, "Ae": ae, "le": le, "ID": idd, "OD": od, "Ht": ht}


def build_toroid_sizes():
    base = {}
    for i, digits in enumerate(TOROID_BASE_OD):
        od = digits / 100.0
        id_ratio, ht_ratio = toroid_proportions(i, od)
        idd = round(od * id_ratio, 3)
        ht = round(od * ht_ratio, 3)
        base[str(digits)] = toroid_row(str(digits), od, idd, ht)
    rows = list(base.values())
    for digits, letter in TOROID_VARIANTS:
        b = base[digits]
        od, idd, ht = b["OD"], b["ID"], b["Ht"]
        if letter == "A":
            ht = round(ht * 1.5, 3)
        elif letter == "B":
            ht = round(ht * 2.0, 3)
        elif letter == "C":
            ht = round(ht * 0.6, 3)
        elif letter == "D":
            idd = round(od * 0.68, 3)
        elif letter == "H":
            ht = round(ht * 2.2, 3)
        rows.append(toroid_row(digits + letter, od, idd, ht))
    for r in rows:
        r["volume"] = as_float(as_float(r["Ae"]) * as_float(r["le"]))
    rows.sort(key=lambda r: r["volume"])
    return rows


# Materials offered per base toroid size, by outside diameter in inches (inclusive range).
TOROID_MIX_RANGE = {
    "-104": (0.12, 0.25), "-106": (0.12, 0.37), "-109": (0.16, 0.30), "-110": (0.12, 0.94),
    "-112": (0.20, 0.40), "-116": (0.25, 0.80), "-120": (0.30, 0.50), "-125": (0.50, 1.06),
    "-226": (0.12, 5.20), "-235": (1.57, 2.50), "-240": (0.12, 5.20), "-255": (0.68, 5.20),
    "-260": (0.12, 5.20), "-275": (0.12, 5.20), "-280": (2.00, 3.00), "-385": (2.50, 3.30),
    "-390": (3.50, 5.20), "-300": (1.30, 5.20),
}
# The discontinued mixes, still listed so that existing designs can be analysed.
TOROID_DISCONTINUED = {"-233": ["50", "80", "106", "157"], "-246": ["68", "94", "130", "200", "250"]}
# Size variants come in the power mixes only.
TOROID_VARIANT_MIXES = ["-226", "-240", "-260", "-275", "-300"]
# Listings also supplied with the heavy coating.
TOROID_QUALIFIED = ["T130-260H", "T200-226", "T300-260H", "T400-275"]


def is_variant(key):
    return key[-1].isalpha()


def build_toroid_listings(sizes):
    listings = []
    for s in sizes:
        key = s["key"]
        if is_variant(key):
            mixes = list(TOROID_VARIANT_MIXES)
        else:
            od = s["OD"]
            mixes = [m for m, (lo, hi) in TOROID_MIX_RANGE.items() if lo - 1e-9 <= od <= hi + 1e-9]
            mixes += [m for m, keys in TOROID_DISCONTINUED.items() if key in keys]
        mixes.sort(key=lambda m: ORDER[m])
        ideal = 4 * math.pi * as_float(s["Ae"]) / as_float(s["le"])
        for m in mixes:
            pn = "T" + key[:-1] + m + key[-1] if is_variant(key) else "T" + key + m
            al = round_al(ideal * MU[m] * AL_FACTOR[m])
            listings.append((pn, al))
            if pn in TOROID_QUALIFIED:
                listings.append((pn + "/90", al))
    return listings


# ---------------------------------------------------------------------------------------------
# Composite toroids.

COMPOSITE_OD = [106, 130, 157, 184, 225]


def build_composites():
    rows = []
    for i, digits in enumerate(COMPOSITE_OD):
        od = digits / 100.0
        idd = round(od * (0.56 + 0.02 * wobble(i, 3)), 3)
        ht = round(od * (0.44 + 0.02 * wobble(i, 4)), 3)
        t = toroid_row(str(digits), od, idd, ht)
        volume = sig(as_float(t["Ae"]) * as_float(t["le"]), 4)
        ideal = 4 * math.pi * as_float(t["Ae"]) / as_float(t["le"])
        for m in ("-M702", "-M714"):
            al = round_al(ideal * MU[m] * AL_FACTOR[m])
            rows.append({"pn": "ST" + str(digits) + m, "AL": al, "OD": od, "ID": idd,
                         "Ht": ht, "le": t["le"], "Ae": t["Ae"], "volume": volume})
    return rows


# ---------------------------------------------------------------------------------------------
# E-cores.

ECORE_BASE_A = [43, 50, 56, 62, 75, 87, 100, 112, 125, 137, 150, 162, 175, 187, 200, 220, 237,
                250, 275, 300, 330, 360, 400, 450, 500, 550, 610]
ECORE_VARIANTS = [("125", "A"), ("250", "A")]
GAP_IN = 2 * 0.0004  # two mating faces in the magnetic path


def ecore_dims(i, a):
    e = round(a * (0.29 + 0.01 * wobble(i, 5)), 3)
    f = round(a * (0.72 + 0.01 * wobble(i, 6)), 3)
    b = round(a * (0.44 + 0.02 * wobble(i, 7)), 3)
    c = round(e * (1.00 + 0.04 * wobble(i, 8)), 3)
    y = round(0.5 * e + 0.01 * a, 3)  # yoke a little thicker than half the centre leg
    d = round(2 * (b - y), 3)
    return {"A": a, "B": b, "C": c, "D": d, "E": e, "F": f}


def ecore_row(key, dims):
    a, b, c, d, e, f = (dims[k] for k in "ABCDEF")
    y = b - d / 2
    ae = sig((e * c - edge_radius_loss(e, c)) * CM2_PER_IN2, 4)
    le = sig((2 * d + f + (a - f) / 2 + y) * CM_PER_IN, 4)
    volume = sig(as_float(ae) * as_float(le), 4)
    window = sig((f - e) / 2 * d * CM2_PER_IN2, 4)
    return {"key": key, **dims, "le": le, "Ae": ae, "volume": volume, "window": window}


def build_ecore_sizes():
    base = {}
    for i, digits in enumerate(ECORE_BASE_A):
        base[str(digits)] = ecore_row(str(digits), ecore_dims(i, digits / 100.0))
    rows = list(base.values())
    for digits, letter in ECORE_VARIANTS:
        dims = {k: base[digits][k] for k in "ABCDEF"}
        dims["C"] = round(dims["C"] * 1.5, 3)
        rows.append(ecore_row(digits + letter, dims))
    rows.sort(key=lambda r: r["volume"])
    return rows


ECORE_MIX_RANGE = {  # by overall width A in inches, inclusive
    "-110": (0.43, 0.56), "-116": (0.43, 0.75), "-120": (0.62, 1.00), "-125": (0.87, 1.37),
    "-226": (0.43, 6.10), "-235": (1.62, 2.20), "-240": (0.43, 6.10), "-255": (0.43, 6.10),
    "-260": (0.43, 6.10), "-275": (0.43, 6.10), "-280": (4.00, 6.10), "-300": (5.00, 6.10),
}
ECORE_DISCONTINUED = {"-246": ["100", "150", "200"]}
ECORE_VARIANT_MIXES = ["-226", "-240", "-260"]


def build_ecore_listings(sizes):
    listings = []
    for s in sizes:
        key = s["key"]
        if is_variant(key):
            mixes = list(ECORE_VARIANT_MIXES)
        else:
            a = s["A"]
            mixes = [m for m, (lo, hi) in ECORE_MIX_RANGE.items() if lo - 1e-9 <= a <= hi + 1e-9]
            mixes += [m for m, keys in ECORE_DISCONTINUED.items() if key in keys]
        mixes.sort(key=lambda m: ORDER[m])
        le_in = as_float(s["le"]) / CM_PER_IN
        for m in mixes:
            mu_e = MU[m] / (1 + MU[m] * GAP_IN / le_in)
            al = round_al(4 * math.pi * mu_e * as_float(s["Ae"]) / as_float(s["le"]) * AL_FACTOR[m])
            pn = "E" + key[:-1] + m + key[-1] if is_variant(key) else "E" + key + m
            listings.append((pn, al))
    return listings


# ---------------------------------------------------------------------------------------------
# Prices.

def toroid_prices():
    rows = []
    for code, _ in MATERIALS:
        m = TOROID_COST[code]
        if m is None:
            rows.append(None)
        else:
            rows.append((code, sig(12.5 / m, 4), 2.0, sig(0.02 / m, 4)))
    rows += [None] * SPARE_PRICE_PLACES
    return rows


def ecore_prices():
    return [(code, sig(4.0 / m, 4), 1.2, sig(0.008 / m, 4))
            for code, m in sorted(ECORE_COST.items(), key=lambda kv: ORDER[kv[0]])]


# ---------------------------------------------------------------------------------------------
# Output.

def check(cond, what):
    if not cond:
        sys.exit("gen_catalog_data: " + what)


def emit(out, toroid_sizes, toroid_listings, composites, ecore_sizes, ecore_listings, tprices,
         eprices):
    w = out.append
    w("// Generated by tools/gen_catalog_data.py -- edit the generator, not this file.")
    w("// Korvane core catalog: listings, size tables and price rows.")
    w("")
    w('#include "catalog/CatalogTables.h"')
    w("")
    w("#include <array>")
    w("")
    w("namespace korvane {")
    w("")
    w("namespace {")
    w("")
    w("// One row a line, as the generator writes them.")
    w("// clang-format off")
    w("")
    w("// Toroids, smallest core first; part number and AL (nH/turn^2).")
    w(f"constexpr std::array<CatalogListing, {len(toroid_listings)}> kToroidListings = {{{{")
    for pn, al in toroid_listings:
        w(f'    {{"{pn}", {f32(al)}}},')
    w("}};")
    w("")
    w("// E-cores (one mated pair), smallest core first.")
    w(f"constexpr std::array<CatalogListing, {len(ecore_listings)}> kECoreListings = {{{{")
    for pn, al in ecore_listings:
        w(f'    {{"{pn}", {f32(al)}}},')
    w("}};")
    w("")
    w("// Composite toroids: part number, AL, OD, ID, Ht (in), le (cm), Ae (cm^2), volume (cm^3).")
    w(f"constexpr std::array<CompositeListing, {len(composites)}> kCompositeListings = {{{{")
    for c in composites:
        vals = ", ".join(f32(c[k]) for k in ("AL", "OD", "ID", "Ht", "le", "Ae", "volume"))
        w(f'    {{"{c["pn"]}", {vals}}},')
    w("}};")
    w("")
    w("// Toroid sizes: key, Ae (cm^2), le (cm), ID, OD, Ht (in); ordered by volume.")
    w(f"constexpr std::array<ToroidSize, {len(toroid_sizes)}> kToroidSizes = {{{{")
    for s in toroid_sizes:
        vals = ", ".join(f32(s[k]) for k in ("Ae", "le", "ID", "OD", "Ht"))
        w(f'    {{"{s["key"]}", {vals}}},')
    w("}};")
    w("")
    w("// E-core sizes: key, A..F (in), le (cm), Ae (cm^2), volume (cm^3), window (cm^2).")
    w(f"constexpr std::array<ECoreSize, {len(ecore_sizes)}> kECoreSizes = {{{{")
    for s in ecore_sizes:
        vals = ", ".join(f32(s[k]) for k in ("A", "B", "C", "D", "E", "F", "le", "Ae", "volume",
                                              "window"))
        w(f'    {{"{s["key"]}", {vals}}},')
    w("}};")
    w("")
    w("// Toroid and composite prices: code, p, q, r; price = (q V + 1) / (r V + p).")
    w("// Empty places: -233 (discontinued, no longer quoted) and two spares.")
    w(f"constexpr std::array<PriceRow, {len(tprices)}> kToroidPrices = {{{{")
    for row in tprices:
        if row is None:
            w('    {"", 0.0F, 0.0F, 0.0F},')
        else:
            w(f'    {{"{row[0]}", {f32(row[1])}, {f32(row[2])}, {f32(row[3])}}},')
    w("}};")
    w("")
    w("// E-core prices (per pair): code, p, q, r.")
    w(f"constexpr std::array<PriceRow, {len(eprices)}> kECorePrices = {{{{")
    for row in eprices:
        w(f'    {{"{row[0]}", {f32(row[1])}, {f32(row[2])}, {f32(row[3])}}},')
    w("}};")
    w("")
    w("// clang-format on")
    w("")
    w("} // namespace")
    w("")
    for fn, arr, typ in (("toroidListings", "kToroidListings", "CatalogListing"),
                         ("eCoreListings", "kECoreListings", "CatalogListing"),
                         ("compositeListings", "kCompositeListings", "CompositeListing"),
                         ("toroidSizes", "kToroidSizes", "ToroidSize"),
                         ("eCoreSizes", "kECoreSizes", "ECoreSize"),
                         ("toroidPrices", "kToroidPrices", "PriceRow"),
                         ("eCorePrices", "kECorePrices", "PriceRow")):
        w(f"std::span<const {typ}> {fn}() {{")
        w(f"    return {arr};")
        w("}")
        w("")
    w("} // namespace korvane")


def main():
    check(len(MATERIALS) == 22, f"{len(MATERIALS)} rows read from the material table")
    toroid_sizes = build_toroid_sizes()
    toroid_listings = build_toroid_listings(toroid_sizes)
    composites = build_composites()
    ecore_sizes = build_ecore_sizes()
    ecore_listings = build_ecore_listings(ecore_sizes)
    tprices = toroid_prices()
    eprices = ecore_prices()

    check(len(toroid_sizes) == 75, f"{len(toroid_sizes)} toroid sizes")
    check(len(toroid_listings) == 536, f"{len(toroid_listings)} toroid listings")
    check(len(composites) == 10, f"{len(composites)} composite listings")
    check(len(ecore_sizes) == 29, f"{len(ecore_sizes)} E-core sizes")
    check(len(ecore_listings) == 174, f"{len(ecore_listings)} E-core listings")
    check(len(tprices) == TOROID_PRICE_PLACES, "toroid price places")
    check(sum(r is not None for r in tprices) == 21, "toroid price rows")
    check(len(eprices) == 13, "E-core price rows")
    names = [pn for pn, _ in toroid_listings + ecore_listings] + [c["pn"] for c in composites]
    check(len(names) == len(set(names)), "duplicate part number")
    check(all(len(n) <= 15 for n in names), "part number longer than 15 characters")
    volumes = [s["volume"] for s in toroid_sizes]
    check(all(a < b for a, b in zip(volumes, volumes[1:])), "toroid sizes share a volume")
    volumes = [s["volume"] for s in ecore_sizes]
    check(all(a < b for a, b in zip(volumes, volumes[1:])), "E-core sizes share a volume")

    out = []
    emit(out, toroid_sizes, toroid_listings, composites, ecore_sizes, ecore_listings, tprices,
         eprices)
    path = os.path.join(ROOT, "src", "core", "catalog", "CatalogData.cpp")
    text = "\n".join(out) + "\n"
    if "--check" in sys.argv[1:]:
        with open(path, encoding="ascii", newline="\n") as fh:
            if fh.read() != text:
                print(f"out of date: {path}", file=sys.stderr)
                return 1
        return 0
    with open(path, "w", encoding="ascii", newline="\n") as fh:
        fh.write(text)
    print(f"wrote {path}: {len(toroid_listings)} toroid, {len(ecore_listings)} E-core, "
          f"{len(composites)} composite listings")
    return 0


if __name__ == "__main__":
    sys.exit(main())
