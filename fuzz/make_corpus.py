#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/.

Run from the repository root:  python3 fuzz/make_corpus.py
The files are committed; rerunning this script rewrites them byte for byte. Files that the
script does not name (inputs saved from a fuzzing run) are left alone.

An input is a list of items separated by '|' (see fuzz/FuzzInput.h): choice items, whose
bytes (a digit stands for its value) pick application, shape and the like, and the texts
typed into the fields. The corpora hold ordinary inputs of every application and the hostile
ones: non-UTF-8 text, "nan", "inf", "1e308", "-5" and empty fields, strips and wires without a
real size, results too large for their column, designs the analysis must accept.
"""

import pathlib

ROOT = pathlib.Path(__file__).resolve().parent / "corpus"

HOSTILE_NUMBERS = {"nan": b"nan", "inf": b"inf", "1e308": b"1e308", "minus5": b"-5", "empty": b""}
NON_UTF8 = {"split-utf8": "1234567890é".encode(), "byte-ff": b"\xff"}


def items(*parts):
    return b"|".join(p if isinstance(p, bytes) else str(p).encode() for p in parts) + b"|"


def write(target, name, data):
    folder = ROOT / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


# Requirement field texts: L1 uH, Rs, I1, L2 uH, I2, V1, V2, f, Ta, stack, strands.
REQUIREMENTS = {
    "dc-biased": (0, ["100", "0", "10", "0", "0", "12", "5", "100", "55", "1", "1"]),
    "controlled-swing": (1, ["100", "0", "10", "400", "1", "12", "5", "100", "55", "1", "1"]),
    "wide-swing": (2, ["50", "0", "8", "500", "0.5", "24", "5", "50", "40", "1", "1"]),
    "pfc-boost": (3, ["500", "0", "5", "0", "0", "325", "400", "100", "55", "1", "1"]),
    "60hz": (4, ["10000", "0", "10", "20000", "1", "0", "0", "60", "55", "1", "1"]),
    "resonant": (5, ["10", "0", "2", "0", "0", "100", "0", "0", "55", "1", "1"]),
}


# Requirement entry: per activation the choice item (application, shape, winding, 1 = next
# application, 1 = keep a typed resonant frequency) and the eleven texts.
def requirement_entry():
    t = "requirement_entry"
    for name, (app, fields) in REQUIREMENTS.items():
        write(t, name, items(f"{app}00", *fields))
    # Every application in turn on one window, then the title clicked round.
    allapps = b"".join(items(f"{app}00", *f) for app, f in REQUIREMENTS.values())
    write(t, "all-applications", allapps + items("0001", *REQUIREMENTS["dc-biased"][1]))
    write(t, "e-core-single-layer", items("011", *REQUIREMENTS["dc-biased"][1]))
    write(t, "stacked-stranded", items("000", "100", "0", "10", "0", "0", "12", "5", "100",
                                       "-20", "2", "3"))
    write(t, "nano-henry-limit", items("000", "0.05", "0", "10", "0", "0", "12", "5", "100",
                                       "55", "1", "1"))
    write(t, "swing-out-of-order", items("100", "100", "0", "10", "50", "20", "12", "5", "100",
                                         "55", "1", "1"))
    write(t, "resonant-huge-frequency",
          items("500", "0.1", "0", "0.000001", "0", "0", "99999999999", "0", "0", "55", "1", "1"))
    write(t, "resonant-typed-frequency", items("50001", "10", "0", "2", "0", "0", "100", "0",
                                               "123456789012345", "55", "1", "1"))
    write(t, "resonant-overflowing-derivation",
          items("500", "1e-30", "0", "1e-30", "0", "0", "1e30", "0", "0", "55", "1", "1"))
    write(t, "resonant-voltage-1e308",
          items("500", "10", "0", "2", "0", "0", "1e308", "0", "0", "55", "1", "1"))
    # One hostile value in every field in turn, each application in turn.
    for label, value in {**HOSTILE_NUMBERS, **NON_UTF8}.items():
        data = b""
        for field in range(11):
            app, fields = list(REQUIREMENTS.values())[field % 6]
            texts = [f.encode() for f in fields]
            texts[field] = value
            data += items(f"{app}00", *texts)
        write(t, f"every-field-{label}", data)
        write(t, f"all-fields-{label}", items("000", *([value] * 11)))


# Number reader: the text, a template, the read length.
def number_reader():
    t = "number_reader"
    cases = {
        "plain": items("12.5abc", "%f", "5"),
        "exponent": items("  -3e2 rest", "%f %s", "3"),
        "nan": items("nan", "%g", "3"),
        "nan-payload": items("NAN(123)x", "%f%s", "9"),
        "inf": items("inf", "%e", "3"),
        "infinity": items("-Infinity!", "%f", "4"),
        "1e308": items("1e308", "%f", "5"),
        "float-overflow": items("3.5e38", "%g", "5"),
        "underflow": items("1e-50", "%f", "5"),
        "minus5": items("-5", "%d", "2"),
        "empty": items("", "", "0"),
        "blanks": items("   ", "%s", "2"),
        "hex": items("0x1A", "%d %f", "4"),
        "hex-float": items("0x1p-130", "%f", "8"),
        "int-overflow": items("99999999999", "%d", "11"),
        "int-underflow": items("-99999999999999999999", "%d", "11"),
        "part-number": items("T80-275A/X", "%[EST0-9] %[-0-9M] %[ABCDEH] ", "10"),
        "part-number-blanks": items("T80 -275 B", "%[EST0-9] %[-0-9M] %[ABCDEH] ", "10"),
        "parameters-text": items(
            "    Units: ENG, Wire: AWG,     Params: Trise_lim: 40, Cudens: 150 cm/Amp, Fill%: 40,"
            " Min%mu: 40, LeadL: 0.25in,             Rho_f: 1, Trise_ex: 0.833, Trise_f: 1",
            " %s %s %s %s %s %s %g, %s %g %s %s %g, %s %g, %s %g %s %s %g,  %s %g,  %s %g,",
            "11"),
        "gauge": items("## 18", "%[#] %f", "2"),
        "strip": items("0.100 x 0.020", "%f %[x] %f", "13"),
        "split-utf8": items("1234567890é".encode(), "%s", "11"),
        "byte-ff": items(b"\xff\xfe", "%[^]0-9]", "1"),
        "unterminated-set": items("abc", "%[abc", "3"),
        "reversed-range": items("m", "%[z-a]%s", "1"),
        "lone-percent": items("5", "%", "1"),
        "percent-percent": items("%7", "%%%d", "2"),
        "unknown-conversion": items("5", "%q%f", "1"),
        "set-ending-range": items("a-", "%[a-]", "2"),
        "high-range": items(b"\xfe\xff", b"%[\xf0-\xff]", "2"),
        "literal-mismatch": items("a,b", "%[^,], %s", "3"),
        "signed-zero": items("-0", "%f", "2"),
        "point-only": items(".", "%f", "1"),
        "plus-point": items("+.5e", "%f%s", "4"),
    }
    for name, data in cases.items():
        write(t, name, data)


# Part numbers: the choice item (1 = a catalog listing, its shape, the bobbin stack), the
# typed text or the listing's line, a suffix.
def part_number():
    t = "part_number"
    cases = {
        "toroid": items("0", "T80-275"),
        "e-core": items("0", "E125-255"),
        "composite": items("0", "ST150-M702"),
        "variant": items("0", "T80-275A"),
        "qualifier": items("0", "T130-226/90"),
        "lower-case": items("0", "t80-275"),
        "missing-dash": items("0", "T999"),
        "missing-material": items("0", "T999-"),
        "missing-shape": items("0", "80-275"),
        "empty": items("0", ""),
        "blanks": items("0", "T80 -275 A"),
        "not-listed": items("0", "T81-275"),
        "non-utf8-suffix": items("0", b"T80-275\xff"),
        "split-utf8": items("0", "1234567890é".encode()),
        "byte-ff": items("0", b"\xff"),
        "long-utf8": items("0", ("T80-275" + "é" * 20).encode()),
        "nan": items("0", "T80-nan"),
        "listing-first-toroid": items("10", "0"),
        "listing-last-toroid": items("10", "535"),
        "listing-e-core-stacked": items("113", "7"),
        "listing-e-core-last": items("11", "173"),
        "listing-composite": items("12", "3"),
        "listing-with-qualifier": items("10", "100", "/X"),
        "listing-with-ff": items("11", "20", b"\xff"),
        "listing-negative-line": items("10", "-5"),
    }
    for name, data in cases.items():
        write(t, name, data)


# Wire sizes: the choice item (standard 0 metric, 1 AWG, 2 SWG) and the texts typed in turn.
def wire_size():
    t = "wire_size"
    cases = {
        "awg": items("1", "#18"),
        "awg-word": items("1", "18 AWG"),
        "awg-4-0": items("1", "#0000"),
        "awg-2-0": items("1", "#00"),
        "awg-50": items("1", "#50"),
        "awg-51": items("1", "#51"),
        "metric": items("0", "0.5mm"),
        "metric-too-fine": items("0", "0.04"),
        "swg": items("2", "22 SWG"),
        "metric-then-awg": items("0", "#18"),
        "strip": items("1", "0.100 x 0.020"),
        "narrow-strip": items("1", "0.005 x 0.02"),
        "strip-nan": items("1", "nan x nan"),
        "strip-zero-width": items("1", "0 x 0.02"),
        "strip-negative": items("1", "-1 x 2"),
        "strip-inf": items("1", "inf x 1"),
        "strip-1e308": items("1", "1e308 x 1"),
        "strip-letter-only": items("1", "x"),
        "strip-huge": items("1", "1e30 x 8"),
        "swg-minus40": items("2", "-40"),
        "swg-0": items("2", "0"),
        "metric-1e30": items("0", "1e30"),
        "nan-then-bare-gauge": items("1", "#nan", "18"),
        "bare-18-metric": items("0", "18"),
        "bare-18-awg": items("1", "18"),
        "bare-18-swg": items("2", "18"),
        "nan-metric": items("0", "nan"),
        "nan-awg": items("1", "#nan"),
        "nan-swg": items("2", "nan"),
        "minus5-metric": items("0", "-5"),
        "minus5-awg": items("1", "#-5"),
        "minus5-swg": items("2", "-5"),
        "1e308-metric": items("0", "1e308"),
        "1e308-swg": items("2", "1e308"),
        "empty": items("1", ""),
        "split-utf8": items("1", "1234567890é".encode()),
        "byte-ff": items("1", b"\xff"),
        "retyped": items("1", "#18", "nan", "#22", "-1 x 2", "0.5mm"),
    }
    for name, data in cases.items():
        write(t, name, data)


def settings_text(units="ENG", wire="AWG", copper_label="Cudens", copper="150",
                  copper_unit="cm/Amp"):
    keywords = ["DC BIASED", "CTRLSWNG", "WIDESWNG", "PFCBOOST", "ACINDUCTOR", "RESONANT"]
    params = (f"    Units: {units}, Wire: {wire}, \n    Params: Trise_lim: 40, {copper_label}: "
              f"{copper} {copper_unit}, Fill%: 40, Min%mu: 40, LeadL: 0.25in, \n"
              f"            Rho_f: 1, Trise_ex: 0.833, Trise_f: 1\n")
    text = ("Parameter settings record \nProduced by KORVANE Power Inductor Design Program \n"
            "\nTue Dec  8 01:05:09 2026 \n")
    for k in keywords:
        text += f"{k} \n {params} \n "
    return text.encode()


# Settings reader: the choice item (unit system, wire standard, shown application), then the
# file content.
def settings_reader():
    t = "settings_reader"
    write(t, "defaults", items("110") + settings_text())
    write(t, "metric-units", items("000") + settings_text("MET", "METRIC", "I_dens", "1316",
                                                          "A/sqcm"))
    write(t, "mixed-swg", items("225") + settings_text("MIXED", "SWG", copper="300"))
    write(t, "crlf", items("110") + settings_text().replace(b"\n", b"\r\n"))
    write(t, "no-params-lines", items("110") + b"DC BIASED \n     Units: MET, Wire: SWG, \n")
    write(t, "truncated", items("110") + settings_text()[:300])
    write(t, "empty-file", items("110"))
    write(t, "long-line", items("110") + b"DC BIASED " + b"x" * 300 + settings_text()[60:])
    write(t, "units-without-keyword", items("110") + settings_text()[120:])
    write(t, "binary", items("110") + bytes(range(256)))
    write(t, "split-utf8", items("110") + settings_text().replace(b"ENG", "ENGé".encode()))
    write(t, "byte-ff", items("110") + settings_text().replace(b"AWG", b"AWG\xff"))
    write(t, "copper-zero", items("110") + settings_text(copper="0"))
    write(t, "metric-copper-zero", items("110") + settings_text("MET", copper="0"))
    write(t, "copper-far-too-large", items("110") + settings_text(copper="99999999"))
    for label, value in HOSTILE_NUMBERS.items():
        write(t, f"copper-{label}", items("110") + settings_text(copper=value.decode()))
        write(t, f"metric-copper-{label}",
              items("000") + settings_text("MET", "METRIC", "I_dens", value.decode(), "A/sqcm"))
        write(t, f"trise-{label}",
              items("110") + settings_text().replace(b"Trise_lim: 40", b"Trise_lim: " + value))


# Requirement files: the choice item (place of the file, number of saves), the existing
# content, then per save a choice item (application, shape, winding, 1 = a typed text) and
# the eleven field texts or the text.
def requirement_file():
    t = "requirement_file"
    dc = REQUIREMENTS["dc-biased"][1]
    write(t, "new-file", items("00", "", "000", *dc))
    write(t, "existing-file", items("10", "    List of Requirements\nold entry\n", "000", *dc))
    write(t, "existing-empty-file", items("10", "", "000", *dc))
    write(t, "four-saves", items("03", "", "000", *dc, "300", *REQUIREMENTS["pfc-boost"][1],
                                 "500", *REQUIREMENTS["resonant"][1], "0001", "free text"))
    write(t, "directory", items("20", "", "000", *dc))
    write(t, "missing-folder", items("30", "", "000", *dc))
    write(t, "device-full", items("40", "", "000", *dc))
    write(t, "nothing-entered", items("00", "", "000", *([""] * 11)))
    write(t, "typed-text", items("00", "", "0001", "DC BIASED, L1: 100.0 uH \n"))
    write(t, "typed-empty-text", items("00", "", "0001", ""))
    write(t, "existing-binary", items("10", bytes(range(1, 124)), "0001", "text"))
    for name, (app, fields) in REQUIREMENTS.items():
        write(t, f"saved-{name}", items("00", "", f"{app}00", *fields))
    for label, value in {**HOSTILE_NUMBERS, **NON_UTF8}.items():
        texts = [f.encode() for f in dc]
        texts[0] = value
        write(t, f"L1-{label}", items("00", "", "000", *texts))
        write(t, f"typed-{label}", items("10", "old\n", "0001", value))


DEFAULT_PARAMETERS = ["40", "150", "40", "40", "1", "1", "0.833", "0.25", "55"]
PARAMETERS_TEXT = ("    Units: ENG, Wire: AWG,     Params: Trise_lim: 40, Cudens: 150 cm/Amp, "
                   "Fill%: 40, Min%mu: 40, LeadL: 0.25in,             Rho_f: 1, Trise_ex: 0.833, "
                   "Trise_f: 1")


# Parameters: the choice item (unit system, wire standard, shown application), then steps:
# "0u" OK with nine texts, "1w" a wire standard change with the copper text, "2a" a
# parameters text for application a.
def parameters():
    t = "parameters"
    write(t, "defaults", items("110", "01", *DEFAULT_PARAMETERS))
    write(t, "metric-current-density", items("100", "00", "40", "1316", *DEFAULT_PARAMETERS[2:]))
    write(t, "range-edges", items("110", "01", "200", *DEFAULT_PARAMETERS[1:8], "-200",
                                  "01", "200.01", *DEFAULT_PARAMETERS[1:]))
    write(t, "range-error-at-5", items("113", "01", "100", "300", "50", "60", "5",
                                       *DEFAULT_PARAMETERS[5:]))
    write(t, "blank-inside-number", items("110", "02", " 40.00", *DEFAULT_PARAMETERS[1:]))
    write(t, "lone-point", items("110", "01", "  .", *DEFAULT_PARAMETERS[1:]))
    write(t, "wire-standard-changes", items("110", "10", "150", "12", "1316", "11", "x",
                                            "10", "0", "10", "nan"))
    write(t, "apply-text", items("110", "20", PARAMETERS_TEXT))
    write(t, "apply-metric-text", items("110", "25", PARAMETERS_TEXT.replace("ENG", "MET")
                                        .replace("AWG", "METRIC")))
    write(t, "apply-short-text", items("110", "21", PARAMETERS_TEXT[:60]))
    write(t, "apply-copper-1e308", items("110", "20", PARAMETERS_TEXT.replace("150", "1e308")))
    write(t, "apply-copper-nan", items("000", "20", PARAMETERS_TEXT.replace("ENG", "MET")
                                       .replace("150", "nan")))
    write(t, "mixed-steps", items("220", "02", *DEFAULT_PARAMETERS, "10", "1000", "21",
                                  PARAMETERS_TEXT, "00", "10", "2000", *DEFAULT_PARAMETERS[2:]))
    write(t, "trise-empty", items("110", "01", "", *DEFAULT_PARAMETERS[1:]))
    for label, value in {**HOSTILE_NUMBERS, **NON_UTF8}.items():
        data = items("110")
        for position in range(9):
            texts = [p.encode() for p in DEFAULT_PARAMETERS]
            texts[position] = value
            data += items("01", *texts)
        write(t, f"every-position-{label}", data)
        write(t, f"metric-copper-{label}", items("100", "01", "40", value,
                                                 *DEFAULT_PARAMETERS[2:]))
        write(t, f"change-standard-{label}", items("110", "10", value))


# Analysis entries: part number, wire, turns, current, V1, V2, f, ambient, hidden, stack,
# strands. The choice item: application, winding, wire standard, units, listing, shape, OK
# presses.
ANALYSES = {
    "dc-biased": ("0011000", ["T80-275", "#18", "30", "5", "12", "5", "100", "25", "", "1", "1"]),
    "controlled-swing": ("1011000", ["T106-226", "#16", "40", "8", "24", "5", "50", "25", "",
                                     "1", "1"]),
    "pfc-boost": ("3011000", ["T157-226", "#16", "60", "5", "325", "400", "100", "55", "", "1",
                              "1"]),
    "60hz": ("4011000", ["T80-275", "#18", "100", "5", "", "", "60", "25", "", "1", "1"]),
    "resonant": ("5111000", ["T80-275", "#24", "20", "2", "100", "", "500", "25", "", "1", "3"]),
    "e-core-stacked": ("0011000", ["E125-255", "#18", "40", "5", "12", "5", "100", "40", "", "2",
                                   "1"]),
    "metric-wire": ("0001000", ["T80-275", "0.5mm", "30", "2", "12", "5", "100", "25", "", "1",
                                "2"]),
    "swg-wire": ("0021000", ["T80-275", "22 SWG", "30", "2", "12", "5", "100", "25", "", "1",
                             "1"]),
    "strip-wire": ("0011000", ["T80-275", "0.100 x 0.020", "30", "2", "12", "5", "100", "25", "",
                               "1", "1"]),
    "cold-ambient": ("0011000", ["T80-275", "#18", "30", "5", "12", "5", "100", "-150", "", "1",
                                 "1"]),
    "listing": ("0011100", ["17", "#20", "25", "3", "12", "5", "100", "25", "", "1", "1"]),
    "listing-e-core": ("0011110", ["9", "#22", "25", "3", "12", "5", "100", "25", "", "1", "1"]),
    "metric-units": ("0010000", ["T80-275", "#18", "30", "5", "12", "5", "100", "25", "", "1",
                                 "1"]),
    "resonant-composite-listing": ("5111120", ["0", "#20", "2", "1", "100", "", "500", "25", "",
                                               "1", "1"]),
    "ok-twice": ("0011001", ["T80-275", "#18", "30", "5", "12", "5", "100", "25", "", "1", "1"]),
}


def analysis_entry():
    t = "analysis_entry"
    for name, (choices, fields) in ANALYSES.items():
        write(t, name, items(choices, *fields))
    write(t, "dc-biased-huge-turns-and-current",
          items("0011000", "E125-255", "#22", "9999999999999", "9999999999999", "12", "5", "100",
                "55", "", "1", "1"))
    write(t, "resonant-huge", items("5111000", "E62-226", "#40", "121976034", "121976034",
                                    "121976034", "", "121976034", "55", "", "1", "1"))
    write(t, "current-1e13", items("0011000", "T80-275", "#18", "30", "10000000000000", "12",
                                   "5", "100", "25", "", "1", "1"))
    write(t, "60hz-current-1e13", items("4011000", "T80-275", "#18", "100", "10000000000000",
                                        "", "", "60", "25", "", "1", "1"))
    write(t, "resonant-current-1e13", items("5111000", "T80-275", "#24", "20", "10000000000000",
                                            "100", "", "500", "25", "", "1", "1"))
    _, dc = ANALYSES["dc-biased"]
    for wire in ["nan x nan", "0 x 0.02", "-1 x 2", "inf x 1", "18", "nan", "-5", "#nan",
                 "#51", ""]:
        texts = list(dc)
        texts[1] = wire
        name = "wire-" + (wire.replace(" ", "").replace("#", "gauge") or "empty")
        write(t, name, items("0011000", *texts))
    for pn in ["T999", "T999-", "", "80-275"]:
        texts = list(dc)
        texts[0] = pn
        write(t, "part-number-" + (pn or "empty"), items("0011000", *texts))
    for label, value in NON_UTF8.items():
        texts = [f.encode() for f in dc]
        texts[0] = b"T80-275" + value
        write(t, f"part-number-{label}", items("0011000", *texts))
        texts = [f.encode() for f in dc]
        texts[3] = value
        write(t, f"current-{label}", items("0011000", *texts))
    # Hostile numbers in the turns, current, voltages, frequency, ambient, stack and strands.
    for label, value in HOSTILE_NUMBERS.items():
        for field, field_name in [(2, "turns"), (3, "current"), (4, "voltage1"), (5, "voltage2"),
                                  (6, "frequency"), (7, "ambient"), (9, "stack"),
                                  (10, "strands")]:
            texts = [f.encode() for f in dc]
            texts[field] = value
            write(t, f"{field_name}-{label}", items("0011000", *texts))


# Design searches: the choice item is application, shape, winding, wire standard, units,
# parameter position (9 none), 1 = keep a typed resonant frequency; then the parameter's text
# and the eleven requirement texts.
def design_search():
    t = "design_search"
    for name, (app, fields) in REQUIREMENTS.items():
        write(t, name, items(f"{app}00119", "", *fields))
    dc = REQUIREMENTS["dc-biased"][1]
    write(t, "dc-biased-e-core", items("010119", "", *dc))
    write(t, "dc-biased-composite", items("020119", "", *dc))
    write(t, "dc-biased-single-layer", items("001119", "", *dc))
    write(t, "dc-biased-metric-wire", items("000009", "", *dc))
    write(t, "dc-biased-swg", items("000219", "", *dc))
    write(t, "dc-biased-stacked", items("000119", "", *dc[:9], "2", "1"))
    write(t, "e-core-stacked", items("010119", "", "1000", "0", "10", "0", "0", "12", "5", "100",
                                     "55", "2", "1"))
    write(t, "resonant-e-core", items("511119", "", *REQUIREMENTS["resonant"][1]))
    write(t, "60hz-e-core", items("410119", "", *REQUIREMENTS["60hz"][1]))
    write(t, "dc-biased-tiny-current",
          items("000119", "", "100000", "0", "0.001", "0", "0", "12", "5", "100", "55", "1", "1"))
    write(t, "resonant-huge-voltage",
          items("501119", "", "0.1", "0", "0.000001", "0", "0", "99999999999", "0", "0", "55", "1",
                "1"))
    write(t, "resonant-voltage-1e308",
          items("501119", "", "10", "0", "2", "0", "0", "1e308", "0", "0", "55", "1", "1"))
    write(t, "trise-limit-empty", items("000110", "", *dc))
    write(t, "trise-limit-nan", items("000110", "nan", *dc))
    write(t, "low-rise-limit", items("000110", "5", *dc))
    write(t, "fill-limit", items("000112", "0.1", *dc))
    write(t, "cold-ambient", items("000119", "", *dc[:8], "-100", "1", "1"))
    write(t, "resistance-limit", items("000119", "", "100", "0.001", *dc[2:]))
    write(t, "ambient-minus5", items("000119", "", *dc[:8], "-5", "1", "1"))
    # Copper below -234.4 C has a negative resistance: the requirement refuses it.
    write(t, "ambient-below-minus-100", items("000119", "", *dc[:8], "-1095", "1", "1"))
    # Strands of at most three skin depths replace the strand count asked for.
    write(t, "resonant-restranded", items("500919", "", "84", "0", "2", "0", "0", "100", "0", "0",
                                          "55", "1", "2"))
    write(t, "empty-resistance-and-voltages", items("000119", "", "100", "", "10", "", "", "", "",
                                                    "100", "55", "1", "1"))
    write(t, "pfc-boost-e-core-metric", items("310009", "", *REQUIREMENTS["pfc-boost"][1]))
    write(t, "wide-swing-stacked", items("220119", "", *REQUIREMENTS["wide-swing"][1][:9], "3",
                                         "2"))
    for label, value in {**HOSTILE_NUMBERS, **NON_UTF8}.items():
        texts = [f.encode() for f in dc]
        texts[0] = value
        write(t, f"L1-{label}", items("000119", "", *texts))


def main():
    requirement_entry()
    number_reader()
    part_number()
    wire_size()
    settings_reader()
    requirement_file()
    parameters()
    analysis_entry()
    design_search()


if __name__ == "__main__":
    main()
