#include "gui/Designer.h"

#include "gui/AnalysForm05.h"
#include "gui/CoverForm.h"
#include "gui/DataTablPFE.h"
#include "gui/GraphicsForm.h"
#include "gui/HelpForm.h"
#include "gui/LoadReqtForm.h"
#include "gui/MainForm.h"
#include "gui/MaterialSelector.h"
#include "gui/ParamsForm.h"
#include "gui/ReqtForm.h"
#include "gui/TradeOffForm.h"
#include "gui/WhyNotForm.h"
#include "session/DesignSession.h"

#include <QGuiApplication>
#include <QScreen>

namespace korvane::gui {

Size primaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {1024, 768};
    }
    const QRect area = screen->availableGeometry();
    return {area.width(), area.height()};
}

Designer::Designer(DesignSession& session, std::optional<Size> screen)
    : screen_(screen.value_or(primaryScreenSize())) {
    shell_.session = &session;
    shell_.main = new TMainForm(shell_, screen_);
    shell_.main->show();
    shell_.help = new THelp(screen_);
    shell_.about = new TAboutBox(shell_.main);
    session.readSettings();
    shell_.params = new TParamsForm(shell_, screen_);
    shell_.graph = new TGraphicsForm(shell_, screen_);
    shell_.results = new TDataTablPFE(shell_, screen_);
    shell_.analysis = new TAnalysForm05(shell_, screen_);
    shell_.materials = new TMaterialSelector(shell_);
    shell_.cover = new TCoverForm(screen_);
    shell_.requirements = new TReqtForm(shell_, screen_);
    // The windows beyond the catalog walk: why not, and the trade-off of the designs.
    shell_.whyNot = new TWhyNotForm(shell_);
    shell_.tradeOff = new TTradeOffForm(shell_);
    shell_.loadRequirement = new TLoadReqtForm(shell_);
}

Designer::~Designer() {
    // Top-level windows have no parent; the about box goes with the main window.
    delete shell_.loadRequirement;
    delete shell_.tradeOff;
    delete shell_.whyNot;
    delete shell_.requirements;
    delete shell_.cover;
    delete shell_.materials;
    delete shell_.analysis;
    delete shell_.results;
    delete shell_.graph;
    delete shell_.params;
    delete shell_.help;
    delete shell_.main;
}

} // namespace korvane::gui
