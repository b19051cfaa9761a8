#!/usr/bin/env python3
"""Generates the built-in Korvane material data of the calculation core.

Writes three files under src/core/materials/:

  MaterialCoefficientsData.cpp  AcMagTable, AcLimitTable, DcBiasTable, CompositeDcBiasTable,
                                InitialPermTable, FrequencyTable, CoreLossTable
  AgingTableData.cpp            the 19 thermal-aging rows (k1, k2, k3)
  MaterialListsData.cpp         the 18 selectable mixes with their product texts and every
                                maker-specific list of codes

Each table starts from the measured reference rows of the maker (kept verbatim below) and
derives the other mixes from them by scaling laws stated next to each table. Run it from the
repository root:

  python3 tools/gen_material_data.py          rewrite the files
  python3 tools/gen_material_data.py --check  fail if the committed files are out of date
"""

import math
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT_DIR = ROOT / "src" / "core" / "materials"

# ---------------------------------------------------------------------------------------------
# The mixes: code, initial permeability, density (g/cm^3). Same rows as MaterialTableData.cpp.
# ---------------------------------------------------------------------------------------------
POWDER = [
    ("-104", 4.0, 5.0),   # Mix H
    ("-106", 6.0, 5.2),   # Mix G
    ("-109", 9.0, 5.4),
    ("-110", 10.0, 5.5),  # Mix A, high flux
    ("-112", 12.0, 5.6),
    ("-116", 16.0, 5.8),
    ("-120", 20.0, 6.0),
    ("-125", 25.0, 6.2),
    ("-226", 26.0, 6.3),  # Mix B, high flux
    ("-233", 33.0, 6.5),  # discontinued
    ("-235", 35.0, 6.55), # Mix Q
    ("-240", 40.0, 6.6),
    ("-246", 46.0, 6.7),  # discontinued
    ("-255", 55.0, 6.8),  # Mix C, loss data of the composite cores
    ("-260", 60.0, 6.85), # Mix R
    ("-275", 75.0, 7.0),  # Mix P
    ("-280", 80.0, 7.05), # Mix K
    ("-385", 85.0, 7.1),  # Mix F
    ("-390", 90.0, 7.2),  # Mix D
    ("-300", 100.0, 7.3), # Mix E
]
COMPOSITE = [("-M702", 125.0, 5.4), ("-M714", 160.0, 5.2)]  # Composite Mix 1, Composite Mix 2

MU = {code: mu for code, mu, _ in POWDER + COMPOSITE}
RHO = {code: rho for code, _, rho in POWDER + COMPOSITE}

MIX_P, MIX_Q, MIX_D, MIX_E = "-275", "-235", "-390", "-300"
MIX_A, MIX_B, MIX_C, MIX_R = "-110", "-226", "-255", "-260"
HIGH_FLUX = [MIX_A, MIX_B]
# The fine carbonyl-iron mixes offered for resonant converters.
CARBONYL = ["-104", "-106", "-109", "-112", "-116", "-120", "-125"]
DISCONTINUED = ["-233", "-246"]
REPLACEMENTS = ["-235", "-240", "-255"]
# Mix D, Mix E, Mix F, Mix G, Mix H, Mix K: in this order in the aging notice.
NEGLIGIBLE_AGING = [MIX_D, MIX_E, "-385", "-106", "-104", "-280"]

SELECTABLE = [code for code, _, _ in POWDER if code not in DISCONTINUED]
AGING_CODES = [code for code, _, _ in POWDER if code != "-233"]

# ---------------------------------------------------------------------------------------------
# Reference rows measured by the maker (verbatim).
# ---------------------------------------------------------------------------------------------
DC_MIX_P = [10090.0, 0.00505, 13.1, 0.00117, 0.0212]            # kind 7143
DC_MIX_D = [0.010035, 9e-06, 1.8, 0.35]                          # kind 7999
DC_COMPOSITE_1 = [115.2, 1.107, -17.57, 0.8436, 10.7, 0.000274114, -0.359159,
                  -0.000716919, 0.00332681, 7.50075e-06, -5.29509e-06]  # kind 145
AC_MIX_P = [10600.0, 7.21e-05, 37.8, -7.74e-09, -0.00356]       # kind 7021
AC_MIX_Q = [93.4, -0.0299, 2.08, 8.3e-07]                        # kind 7051
LIMIT_MIX_P = (75.0, 10839.0, 0.5055)
LIMIT_MIX_A = (10.0, 10000.0, 0.1)
FREQ_MIX_P = [0.0146215, 4.12824e-08, 0.847475, 7.14758]
LOSS_MIX_P = [1e9, 1.1e8, 1.9e6, 1.9e-13, 2.08]
AGING_MIX_R = [-10.75, 0.008114, 0.0001371]
AGING_NEGLIGIBLE_K1 = -49.28


def sig(x, digits=5):
    """Rounds to the number of significant digits a maker's table carries."""
    return float(f"{x:.{digits}g}")


# ---------------------------------------------------------------------------------------------
# DC bias. The kind-7143 fit sqrt((c0 + c2 H + c4 H^2) / (1 + c1 H + c3 H^2)) is closed under
# H -> s H: c1, c2 scale by s, c3, c4 by s^2. The field at which a gapped powder core loses
# half its permeability is set by the distributed gap and goes roughly as 1/mu_i, so each mix
# takes Mix P's curve with s = mu_i / 75. The high-flux mixes are made for bias: their
# particles saturate later, which is taken as a 25 % longer roll-off (s scaled by 0.8).
# Mix D keeps its own measured kind-7999 row.
# ---------------------------------------------------------------------------------------------
def scale_rational(c, s):
    """Coefficient i of a rational fit multiplies H^ceil(i/2): scale it by s to that power."""
    return [sig(v * s ** ((i + 1) // 2)) if i else v for i, v in enumerate(c)]


def dc_rows():
    rows = []
    for code, mu, _ in POWDER:
        if code == MIX_P:
            rows.append((code, 7143, mu, DC_MIX_P))
        elif code == MIX_D:
            rows.append((code, 7999, mu, DC_MIX_D + [0.0]))
        else:
            s = mu / 75.0 * (0.8 if code in HIGH_FLUX else 1.0)
            rows.append((code, 7143, mu, scale_rational(DC_MIX_P, s)))
    return rows


# Composite Mix 2 has the higher effective permeability (160 against 125): the same
# inverse-permeability law shortens its roll-off by s = 160 / 125. The fit is read from 0.1 Oe
# up, where the stretched curve would start below 100 %, so its numerator (c0, c2, ..., c10) is
# raised by the factor that gives Mix 2 Mix 1's value at 0.1 Oe: both start at the cap.
def composite_value(c, h):
    num = sum(c[2 * i] * h ** i for i in range(6))
    den = 1.0 + sum(c[2 * i + 1] * h ** (i + 1) for i in range(5))
    return num / den


def composite_rows():
    s = MU["-M714"] / MU["-M702"]
    stretched = scale_rational(DC_COMPOSITE_1, s)
    lift = composite_value(DC_COMPOSITE_1, 0.1) / composite_value(stretched, 0.1)
    mix2 = [sig(v * lift) if i % 2 == 0 else v for i, v in enumerate(stretched)]
    return [("-M702", 145, DC_COMPOSITE_1), ("-M714", 145, mix2)]


# ---------------------------------------------------------------------------------------------
# AC flux. The usable peak flux Bmax follows the saturation of the iron fill, and the lighter
# carbonyl mixes reach the end of their fitted range much earlier; Bmax is taken as the square
# of the density relative to Mix P: Bmax = 10839 (rho / 7.0)^2. The high-flux mixes hold 10000 G with the high-flux law
# past 7000 G and keep Mix A's limit row.
# Kind 7021 (Mix P's form) is closed under B -> s B like the DC fit; with s = 10839 / Bmax
# every mix reaches the end of its fitted range at its own Bmax, with Mix P's satFraction.
# The 3x/4x hydrogen-reduced mixes follow Mix Q's kind-7051 polynomial
# c0 + c1 B + c2 sqrt(B) + c3 B^2, scaled the same way (c1 by s, c2 by sqrt(s), c3 by s^2);
# their satFraction is the polynomial's value at Bmax, so the saturation branch joins it.
# ---------------------------------------------------------------------------------------------
POLY_MIXES = ["-233", "-235", "-240", "-246"]


def bmax_of(code):
    if code in HIGH_FLUX:
        return LIMIT_MIX_A[1]
    if code == MIX_P:
        return LIMIT_MIX_P[1]
    return round(LIMIT_MIX_P[1] * (RHO[code] / RHO[MIX_P]) ** 2)


def poly_value(c, b):
    return c[0] + c[1] * b + c[2] * math.sqrt(b) + c[3] * b * b


def ac_rows():
    mag, lim = [], []
    sat_poly = round(poly_value(AC_MIX_Q, bmax_of(MIX_Q)) / 100.0, 4)
    for code, mu, _ in POWDER:
        bmax = bmax_of(code)
        if code in POLY_MIXES:
            s = bmax_of(MIX_Q) / bmax
            c = AC_MIX_Q if code == MIX_Q else [AC_MIX_Q[0], sig(AC_MIX_Q[1] * s),
                                                 sig(AC_MIX_Q[2] * math.sqrt(s)),
                                                 sig(AC_MIX_Q[3] * s * s)]
            mag.append((code, 7051, c + [0.0]))
            lim.append((code, mu, bmax, sat_poly))
        else:
            s = LIMIT_MIX_P[1] / bmax
            c = AC_MIX_P if code == MIX_P else scale_rational(AC_MIX_P, s)
            mag.append((code, 7021, c))
            if code in HIGH_FLUX:
                lim.append((code, mu, LIMIT_MIX_A[1], LIMIT_MIX_A[2]))
            else:
                lim.append((code, mu, bmax, LIMIT_MIX_P[2]))
    return mag, lim


# ---------------------------------------------------------------------------------------------
# Frequency. mu(f) = 1/(a + b f^c) + d. The roll-off comes from eddy currents inside the
# particles: its frequency goes as resistivity / (mu d^2) for particle size d, and the finer
# low-mu carbonyl powders have d^2 roughly proportional to mu, so the half-drop frequency
# (a/b)^(1/c) scales as (75 / mu_i)^1.5 from Mix P's 3.5 MHz. d keeps Mix P's share of the
# low-frequency value and a makes 1/a + d equal mu_i.
# ---------------------------------------------------------------------------------------------
def freq_rows():
    a_p, b_p, c_p, d_p = FREQ_MIX_P
    mu0_p = 1.0 / a_p + d_p
    f_half_p = (a_p / b_p) ** (1.0 / c_p)
    rows = []
    for code in SELECTABLE:
        if code == MIX_P:
            rows.append((code, FREQ_MIX_P))
            continue
        mu = MU[code]
        d = sig(d_p * mu / mu0_p)
        a = sig(1.0 / (mu - d))
        f_half = f_half_p * (75.0 / mu) ** 1.5
        b = sig(a / f_half ** c_p)
        rows.append((code, [a, b, c_p, d]))
    return rows


def freq_value(row, f):
    a, b, c, d = row
    return 1.0 / (a + b * f ** c) + d


# ---------------------------------------------------------------------------------------------
# Core loss. P = f / (a/B^3 + b/B^2.3 + c/B^1.65) + d (B f)^2: the first part is hysteresis,
# the second eddy current in the particles. Eddy loss goes as the particle size squared, taken
# proportional to mu_i (d scaled by mu_i / 75). Hysteresis grows more slowly with the coarser
# particles, as sqrt(mu_i / 75) (a, b, c divided by it); the high-flux mixes pay 40 % more
# hysteresis for their saturation. The carbonyl mixes of the resonant line are made of far finer
# particles (a few micrometres against tens for the reduced-iron power mixes): their eddy loss
# is 30 times lower again and their hysteresis half, which is what lets them run at hundreds of
# kilohertz to megahertz. lineExponent is the loss's exponent in B used for the
# line-cycle average: Mix P's 2.08 moved by the change of the fit's log-slope d ln P / d ln B
# at 1000 G and 100 kHz, as the eddy share changes.
# ---------------------------------------------------------------------------------------------
E_23 = 2.2999999523162842   # 2.3F widened
E_165 = 1.6499999761581421  # 1.65F widened


def loss_value(row, f, b):
    a, bb, c, d = row[:4]
    return f / (a / b ** 3 + bb / b ** E_23 + c / b ** E_165) + d * (b * f) ** 2


def loss_slope(row, f, b):
    h = 1.0001
    return math.log(loss_value(row, f, b * h) / loss_value(row, f, b)) / math.log(h)


def loss_rows():
    rows = []
    ref_slope = loss_slope(LOSS_MIX_P, 1e5, 1000.0)
    for code, mu, _ in POWDER:
        if code == MIX_P:
            rows.append((code, LOSS_MIX_P))
            continue
        kh = math.sqrt(mu / 75.0) * (1.4 if code in HIGH_FLUX else 1.0)
        ke = mu / 75.0
        if code in CARBONYL:
            kh *= 0.5
            ke /= 30.0
        row = [sig(LOSS_MIX_P[0] / kh), sig(LOSS_MIX_P[1] / kh), sig(LOSS_MIX_P[2] / kh),
               sig(LOSS_MIX_P[3] * ke)]
        exponent = LOSS_MIX_P[4] + loss_slope(row, 1e5, 1000.0) - ref_slope
        row.append(round(min(max(exponent, 1.94), 2.24), 2))
        rows.append((code, row))
    return rows


# ---------------------------------------------------------------------------------------------
# Thermal aging. Loss growth dP = 6.276e-13 exp(k1) (B f)^2 Ae Vol exp(T (k2 + k3 T)) t^0.55
# is eddy loss appearing as the particle insulation breaks down, so its scale goes with the
# particle size squared, i.e. with mu_i: k1 = -10.75 + ln(mu_i / 60) from Mix R. The binder
# chemistry, and with it k2 and k3, is common to the aging mixes. The six mixes with the
# high-temperature binder form the negligible-aging family with k1 = -49.28.
# ---------------------------------------------------------------------------------------------
def aging_rows():
    rows = []
    for code in AGING_CODES:
        if code == MIX_R:
            k1 = AGING_MIX_R[0]
        elif code in NEGLIGIBLE_AGING:
            k1 = AGING_NEGLIGIBLE_K1
        else:
            k1 = round(AGING_MIX_R[0] + math.log(MU[code] / MU[MIX_R]), 2)
        rows.append((code, [k1, AGING_MIX_R[1], AGING_MIX_R[2]]))
    return rows


# ---------------------------------------------------------------------------------------------
# Product texts of the selection window.
# ---------------------------------------------------------------------------------------------
DESCRIPTIONS = {
    "-104": "µi 4 carbonyl iron. Lowest loss and best stability for resonant and RF chokes, "
            "1 MHz to 25 MHz. Negligible aging.",
    "-106": "µi 6 carbonyl iron. High-Q resonant inductors and RF filters, 500 kHz to 15 MHz. "
            "Negligible aging.",
    "-109": "µi 9 carbonyl iron. Resonant converters and high-frequency filters, "
            "250 kHz to 7 MHz.",
    "-110": "µi 10 high-flux carbonyl. Holds 10000 gauss AC: high-ripple chokes and "
            "resonant inductors, 250 kHz to 6 MHz.",
    "-112": "µi 12 carbonyl iron. Resonant and wide-band chokes, 200 kHz to 5 MHz.",
    "-116": "µi 16 carbonyl iron. Resonant converters and RF power chokes, "
            "100 kHz to 3 MHz.",
    "-120": "µi 20 carbonyl iron. Resonant converters and high-ripple chokes, "
            "100 kHz to 2 MHz.",
    "-125": "µi 25 carbonyl iron. Resonant converters and high-frequency output chokes, "
            "50 kHz to 1.5 MHz.",
    "-226": "µi 26 high-flux mix. High-ripple output chokes under heavy DC bias, "
            "50 kHz to 1.5 MHz.",
    "-235": "µi 35 mix. Output chokes and PFC inductors with high ripple, 20 kHz to 1 MHz.",
    "-240": "µi 40 mix. Output filter chokes and PFC boost inductors, 20 kHz to 750 kHz.",
    "-255": "µi 55 mix. Economical DC output chokes and differential-mode filters, "
            "10 kHz to 500 kHz.",
    "-260": "µi 60 mix. DC output chokes and swinging chokes, 10 kHz to 400 kHz.",
    "-275": "µi 75 mix. The general-purpose power material: DC output chokes, PFC boost and "
            "line filters, 60 Hz to 300 kHz.",
    "-280": "µi 80 mix. DC chokes and 60 Hz line inductors, 60 Hz to 250 kHz. Negligible "
            "aging.",
    "-385": "µi 85 mix. Low-ripple DC chokes and line filters, 60 Hz to 250 kHz. Negligible "
            "aging.",
    "-390": "µi 90 mix. Highest inductance per turn for low-ripple DC chokes and 60 Hz "
            "inductors, 60 Hz to 200 kHz. Negligible aging.",
    "-300": "µi 100 mix. Line-frequency inductors and low-ripple DC chokes, 60 Hz to 200 kHz. "
            "Negligible aging.",
}

LOW_DC_RANGE_SUBSTRINGS = [MIX_D, MIX_E]
COMPOSITE_GRAPH_SUBSTRINGS = ["702", "714"]
COMPOSITE_LOSS_FACTORS = [0.67, 0.75]
COMPOSITE_AGING_VOLUME_FACTORS = [0.67, 0.75]
LINE_60HZ_FULL_PERM = ["-104", "-106", "-109", "-112"]
RESONANT = CARBONYL
# Mix D (start 38.88889, step 0.5) and Mix E (upper bound 150, start 38.88889).
BIAS_SEARCH = [(MIX_D, 350.0, 38.88889, 0.5), (MIX_E, 150.0, 38.88889, 1.0)]


def ac_graph_6000_substrings(lim):
    """The two mixes with the lowest AC limit are plotted up to 6000 gauss."""
    lowest = sorted(lim, key=lambda row: row[2])[:2]
    return [row[0] for row in sorted(lowest, key=lambda row: MU[row[0]])]


# ---------------------------------------------------------------------------------------------
# Checks that the generated data is what the scaling laws promise (the C++ tests check it too).
# ---------------------------------------------------------------------------------------------
def check(mag, lim, dc, comp, freq, loss):
    all_codes = [c for c, _, _ in POWDER + COMPOSITE]
    for a in all_codes:
        for b in all_codes:
            assert a == b or a not in b, (a, b)
    for (code, kind, c), (lcode, mu, bmax, _) in zip(mag, lim):
        assert code == lcode
        if kind == 7021:
            for i in range(200):
                b = 10.0 * (0.8 * bmax / 10.0) ** (i / 199.0)
                n = c[0] + c[2] * b + c[4] * b * b
                d = 1 + c[1] * b + c[3] * b * b
                assert 90.0 <= math.sqrt(n / d) <= 360.0, (code, b)
    for code, row in freq:
        assert abs(freq_value(row, 1.0) - MU[code]) < 0.05 * MU[code], code
    for code, row in loss:
        p = loss_value(row, 1e5, 1000.0)
        assert 100.0 <= p <= 10000.0 and 1.94 <= row[4] <= 2.24, (code, p)
    assert abs(loss_value(LOSS_MIX_P, 1e5, 1000.0) - 4665.0) < 1.0


# ---------------------------------------------------------------------------------------------
# Output.
# ---------------------------------------------------------------------------------------------
def lit(x):
    text = repr(float(x)) if abs(x) < 1e6 else f"{x:.8g}"
    if "e" not in text and "." not in text:
        text += ".0"
    return text + "F"


def floats(values):
    return ", ".join(lit(v) for v in values)


def wrap(text, width=80):
    """Splits a text into adjacent string literals at blanks (each keeps its blank)."""
    chunks, line = [], ""
    for word in text.split(" "):
        piece = word if not line else " " + word
        if line and len(line) + len(piece) > width:
            chunks.append(line + " ")
            line = word
        else:
            line += piece
    return chunks + [line]


def q(text):
    return '"' + text + '"'


HEADER = """// Generated by tools/gen_material_data.py; edit the generator, not this file.
// clang-format off
"""
FOOTER = "// clang-format on\n"


def coefficients_cpp(mag, lim, dc, comp, freq, loss):
    out = [HEADER, '#include "materials/MaterialCoefficients.h"', "", "#include <array>", "",
           "namespace korvane {", "", "namespace {", ""]
    out.append(f"constexpr std::array<AcMagRow, {len(mag)}> kAcMagTable = {{{{")
    for code, kind, c in mag:
        out.append(f"    {{{q(code)}, {kind}, {{{floats(c)}}}}},")
    out += ["}};", ""]
    out.append(f"constexpr std::array<AcLimitRow, {len(lim)}> kAcLimitTable = {{{{")
    for code, mu, bmax, sat in lim:
        out.append(f"    {{{q(code)}, {floats([mu, bmax, sat])}}},")
    out += ["}};", ""]
    out.append(f"constexpr std::array<DcBiasRow, {len(dc)}> kDcBiasTable = {{{{")
    for code, kind, mu, c in dc:
        out.append(f"    {{{q(code)}, {kind}, {lit(mu)}, {{{floats(c)}}}}},")
    out += ["}};", ""]
    out.append(f"constexpr std::array<CompositeDcBiasRow, {len(comp)}> kCompositeDcBiasTable = "
               "{{")
    for code, kind, c in comp:
        out.append(f"    {{{q(code)},")
        out.append(f"     {kind},")
        out.append(f"     {{{floats(c[:6])},")
        out.append(f"      {floats(c[6:])}}}}},")
    out += ["}};", ""]
    out.append(f"constexpr std::array<InitialPermRow, {len(SELECTABLE)}> kInitialPermTable = {{{{")
    for code in SELECTABLE:
        out.append(f"    {{{q(code)}, {lit(MU[code])}}},")
    out += ["}};", ""]
    out.append(f"constexpr std::array<FrequencyRow, {len(freq)}> kFrequencyTable = {{{{")
    for code, row in freq:
        out.append(f"    {{{q(code)}, {floats(row)}}},")
    out += ["}};", ""]
    out.append(f"constexpr std::array<CoreLossRow, {len(loss)}> kCoreLossTable = {{{{")
    for code, row in loss:
        out.append(f"    {{{q(code)}, {floats(row)}}},")
    out += ["}};", "", "} // namespace", ""]
    for name, table in [("AcMagRow", "acMagTable"), ("AcLimitRow", "acLimitTable"),
                        ("DcBiasRow", "dcBiasTable"),
                        ("CompositeDcBiasRow", "compositeDcBiasTable"),
                        ("InitialPermRow", "initialPermTable"),
                        ("FrequencyRow", "frequencyTable"), ("CoreLossRow", "coreLossTable")]:
        var = "k" + table[0].upper() + table[1:]
        out += [f"std::span<const {name}> {table}() {{", f"    return {var};", "}", ""]
    out += ["} // namespace korvane", ""]
    return "\n".join(out) + FOOTER


def aging_cpp(rows):
    out = [HEADER, '#include "materials/AgingTable.h"', "", "#include <array>", "",
           "namespace korvane {", "", "namespace {", "",
           f"constexpr std::array<AgingRow, {len(rows)}> kAgingTable = {{{{"]
    for code, k in rows:
        out.append(f"    {{{q(code)}, {floats(k)}}},")
    out += ["}};", "", "} // namespace", "",
            "std::span<const AgingRow> agingTable() {", "    return kAgingTable;", "}", "",
            "} // namespace korvane", ""]
    return "\n".join(out) + FOOTER


def views(name, codes):
    return [f"constexpr std::array<std::string_view, {len(codes)}> {name} = {{"
            + ", ".join(q(c) for c in codes) + "};"]


def lists_cpp(ac6000):
    out = [HEADER, '#include "materials/MaterialLists.h"', "", "#include <array>", "",
           "namespace korvane {", "", "namespace {", "",
           f"constexpr std::array<SelectableMaterial, {len(SELECTABLE)}> kSelectableMaterials = "
           "{{"]
    for code in SELECTABLE:
        out.append(f"    {{{q(code)},")
        chunks = wrap(DESCRIPTIONS[code])
        for i, chunk in enumerate(chunks):
            out.append(f"     {q(chunk)}" + ("}," if i == len(chunks) - 1 else ""))
    out += ["}};", ""]
    out += views("kNegligibleAgingMaterials", NEGLIGIBLE_AGING)
    out += views("kHighFluxMaterials", HIGH_FLUX)
    out += views("kDiscontinuedMaterials", DISCONTINUED)
    out += views("kReplacementMaterials", REPLACEMENTS)
    out += views("kLowDcBiasRangeSubstrings", LOW_DC_RANGE_SUBSTRINGS)
    out += views("kAcGraph6000GaussSubstrings", ac6000)
    out += views("kCompositeGraphSubstrings", COMPOSITE_GRAPH_SUBSTRINGS)
    out.append("")
    out.append(f"constexpr std::array<CompositeMaterial, {len(COMPOSITE)}> kCompositeMaterials "
               "= {{")
    for (code, _, _), lf, vf, sub in zip(COMPOSITE, COMPOSITE_LOSS_FACTORS,
                                         COMPOSITE_AGING_VOLUME_FACTORS,
                                         COMPOSITE_GRAPH_SUBSTRINGS):
        out.append(f"    {{{q(code)}, {lit(lf)}, {lit(vf)}, {q(sub)}}},")
    out += ["}};", ""]
    out.append(f"constexpr std::array<BiasSearchRow, {len(BIAS_SEARCH)}> kBiasSearchRows = {{{{")
    for code, mx, start, step in BIAS_SEARCH:
        out.append(f"    {{{q(code)}, {floats([mx, start, step])}}},")
    out += ["}};", "",
            f"constexpr std::string_view kCompositeBaseMaterial = {q(MIX_C)};",
            f"constexpr std::string_view kLine60HzFullPermList = {q(' '.join(LINE_60HZ_FULL_PERM))};",
            f"constexpr std::string_view kResonantMaterialList = {q(' '.join(RESONANT))};",
            "", "} // namespace", ""]
    for ret, fn, var in [
            ("std::span<const SelectableMaterial>", "selectableMaterials", "kSelectableMaterials"),
            ("std::span<const std::string_view>", "negligibleAgingMaterials",
             "kNegligibleAgingMaterials"),
            ("std::span<const std::string_view>", "highFluxMaterials", "kHighFluxMaterials"),
            ("std::span<const std::string_view>", "discontinuedMaterials",
             "kDiscontinuedMaterials"),
            ("std::span<const std::string_view>", "replacementMaterials",
             "kReplacementMaterials"),
            ("std::span<const std::string_view>", "lowDcBiasRangeSubstrings",
             "kLowDcBiasRangeSubstrings"),
            ("std::span<const std::string_view>", "acGraph6000GaussSubstrings",
             "kAcGraph6000GaussSubstrings"),
            ("std::span<const std::string_view>", "compositeGraphSubstrings",
             "kCompositeGraphSubstrings"),
            ("std::span<const CompositeMaterial>", "compositeMaterials", "kCompositeMaterials"),
            ("std::span<const BiasSearchRow>", "biasSearchRows", "kBiasSearchRows"),
            ("std::string_view", "compositeBaseMaterial", "kCompositeBaseMaterial"),
            ("std::string_view", "line60HzFullPermList", "kLine60HzFullPermList"),
            ("std::string_view", "resonantMaterialList", "kResonantMaterialList")]:
        out += [f"{ret} {fn}() {{", f"    return {var};", "}", ""]
    out += ["} // namespace korvane", ""]
    return "\n".join(out) + FOOTER


def main():
    mag, lim = ac_rows()
    dc = dc_rows()
    comp = composite_rows()
    freq = freq_rows()
    loss = loss_rows()
    check(mag, lim, dc, comp, freq, loss)
    files = {
        "MaterialCoefficientsData.cpp": coefficients_cpp(mag, lim, dc, comp, freq, loss),
        "AgingTableData.cpp": aging_cpp(aging_rows()),
        "MaterialListsData.cpp": lists_cpp(ac_graph_6000_substrings(lim)),
    }
    stale = []
    for name, text in files.items():
        path = OUT_DIR / name
        if "--check" in sys.argv[1:]:
            if not path.exists() or path.read_text(encoding="utf-8") != text:
                stale.append(name)
        else:
            path.write_text(text, encoding="utf-8")
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
