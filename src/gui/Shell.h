#pragma once

namespace korvane {
class DesignSession;
}

namespace korvane::gui {

class TMainForm;
class THelp;
class TAboutBox;
class TParamsForm;
class TGraphicsForm;
class TAnalysForm05;
class TDataTablPFE;
class TMaterialSelector;
class TCoverForm;
class TReqtForm;
class TWhyNotForm;
class TTradeOffForm;
class TLoadReqtForm;

// The program's windows, each created once at start-up and kept until exit, and the session
// whose state they show. Every window reaches the others through it.
struct Shell {
    DesignSession* session = nullptr;
    TMainForm* main = nullptr;
    THelp* help = nullptr;
    TAboutBox* about = nullptr;
    TParamsForm* params = nullptr;
    TGraphicsForm* graph = nullptr;
    TDataTablPFE* results = nullptr;
    TAnalysForm05* analysis = nullptr;
    TMaterialSelector* materials = nullptr;
    TCoverForm* cover = nullptr;
    TReqtForm* requirements = nullptr;
    TWhyNotForm* whyNot = nullptr;
    TTradeOffForm* tradeOff = nullptr;
    TLoadReqtForm* loadRequirement = nullptr;
};

} // namespace korvane::gui
