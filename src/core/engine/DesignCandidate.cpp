#include "engine/DesignCandidate.h"

#include "requirements/Requirement.h"

namespace korvane {

DesignPFE makeDesignRun(const Requirement& r, WireSystem wireSystem) {
    DesignPFE d;
    d.L1 = r.L1;
    d.L2 = r.L2;
    d.I1 = r.I1;
    d.I2 = r.I2;
    d.I1peak = r.I1peak;
    d.I1rms = r.I1rms;
    d.I2rms = r.I2rms;
    d.Ipk = r.Ipk;
    d.fHz = r.fHz;
    d.fkHz = r.fkHz;
    d.Rs = r.Rs;
    d.Ta = r.Ta;
    d.Von = r.Von;
    d.Voff = r.Voff;
    d.Vpk = r.Vpk;
    d.Vpfc1 = r.Vpfc1;
    d.Vpfc2 = r.Vpfc2;
    d.application = r.application;
    d.shape = r.shape;
    d.stackCount = r.stackCount;
    d.windingType = r.windingType;
    d.minStrands = r.strands;
    d.wireSystem = wireSystem;
    return d;
}

} // namespace korvane
