#include "gui/ReqtForm.h"

#include "graphs/ShellLayout.h"
#include "gui/ClickableLabel.h"
#include "gui/DataTablPFE.h"
#include "gui/EntryFilter.h"
#include "gui/MainForm.h"
#include "gui/MaterialSelector.h"
#include "gui/QtText.h"
#include "gui/Shell.h"
#include "requirements/RequirementEntry.h"
#include "session/DesignSession.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane::gui {
TReqtForm::TReqtForm(Shell& shell, Size screen) : shell_(shell) {
    setObjectName("ReqtForm");
    setWindowTitle("Toroid & E Core Design Requirements");
    const RequirementsWindowGeometry g = requirementsWindowGeometry(screen);
    QFont own = font();
    own.setPointSizeF(g.fontPoints > 0.0 ? g.fontPoints : 11.0);
    setFont(own);
    placeWindow(*this, g.rect.left, g.rect.top, g.rect.right - g.rect.left,
                g.rect.bottom - g.rect.top);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 16, 24, 16);
    outer->setSpacing(14);
    labelApplication_ = applicationTitleLabel(this);
    connect(labelApplication_, &ClickableLabel::clicked, this, &TReqtForm::LabelApplicationClick);
    outer->addWidget(labelApplication_);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 2);
    grid->setVerticalSpacing(12);
    grid->setHorizontalSpacing(12);
    for (int i = 0; i < kFields; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("Param%1").arg(i));
        edit->setMaxLength(12);
        edit->setAlignment(i <= 8 ? Qt::AlignRight : Qt::AlignHCenter);
        params_[static_cast<std::size_t>(i)] = edit;
        if (i <= 8) {
            auto* cap = new QLabel(this);
            cap->setObjectName(QString("Label%1").arg(i));
            cap->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            auto* u = new QLabel(this);
            u->setObjectName(QString("Label%1").arg(10 + i));
            captions_[static_cast<std::size_t>(i)] = cap;
            units_[static_cast<std::size_t>(i)] = u;
            grid->addWidget(cap, i, 0);
            grid->addWidget(edit, i, 1);
            grid->addWidget(u, i, 2);
        }
    }
    // The fields stand in the middle of the window, the spare height split above and below.
    outer->addStretch(1);
    outer->addLayout(grid);

    auto* counts = new QHBoxLayout;
    auto* label9 = new QLabel("Stacked Cores:", this);
    hint(label9, "NUMBER OF CORES IN STACK.  MINIMUM = 1");
    auto* label19 = new QLabel("Wire Strands:", this);
    hint(label19, " NUMBER OF PARALLEL CONNECTED MAGNET WIRES TO USE");
    counts->addStretch(1);
    counts->addWidget(label9);
    counts->addWidget(params_[9]);
    counts->addSpacing(30);
    counts->addWidget(label19);
    counts->addWidget(params_[10]);
    counts->addStretch(1);
    outer->addLayout(counts);

    ripple_ = new QLabel(this);
    ripple_->setObjectName("RippleLabel");
    ripple_->setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    ripple_->setFont(bold);
    outer->addWidget(ripple_);

    auto* boxes = new QHBoxLayout;
    shapeBox_ = new QComboBox(this);
    shapeBox_->setObjectName("ShapeBox");
    label39_ = new QLabel("COMPOSITE", this);
    label39_->setObjectName("Label39");
    label39_->setFont(bold);
    windgBox_ = new QComboBox(this);
    windgBox_->setObjectName("WindgBox");
    boxes->addStretch(1);
    boxes->addWidget(new QLabel("Core Shape:", this));
    boxes->addWidget(shapeBox_);
    boxes->addWidget(label39_);
    boxes->addSpacing(30);
    boxes->addWidget(new QLabel("Winding Type:", this));
    boxes->addWidget(windgBox_);
    boxes->addStretch(1);
    outer->addLayout(boxes);
    connect(shapeBox_, &QComboBox::activated, this, [this](int index) {
        shell_.session->requirementEntry().setShape(static_cast<CoreShape>(index));
    });
    connect(windgBox_, &QComboBox::activated, this, [this](int index) {
        shell_.session->requirementEntry().setWindingType(static_cast<WindingType>(index));
    });

    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton("&OK", this);
    ok_->setObjectName("Button_OK");
    hint(ok_, "PRESS TO BEGIN DESIGN PROCESS");
    cancel_ = new QPushButton("&CANCEL", this);
    cancel_->setObjectName("ButtonCancel");
    cancel_->setFocusPolicy(Qt::ClickFocus);
    material_ = new QPushButton("CORE &MATERIAL", this);
    material_->setObjectName("ButtonMaterial");
    hint(material_, "PRESS TO CHANGE LIST OF CORE MATERIALS");
    buttons->addStretch(1);
    for (QPushButton* b : {ok_, cancel_, material_}) {
        b->setAutoDefault(false);
        b->setMinimumSize(150, 34);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    outer->addStretch(1);
    outer->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &TReqtForm::Button_OKClick);
    connect(cancel_, &QPushButton::clicked, this, &TReqtForm::ButtonCancelClick);
    connect(material_, &QPushButton::clicked, this, &TReqtForm::ButtonMaterialClick);

    std::vector<EntryFilter::Field> fields;
    for (int i = 0; i < kFields; ++i) {
        fields.push_back({params_[static_cast<std::size_t>(i)],
                          i == 8 ? FieldFilter::Signed : FieldFilter::Positive});
    }
    keys_ = new EntryFilter(
        EntryKeys::Scheme::Form, std::move(fields), [this] { ok_->click(); }, this);
    keys_->setOnExit([this](std::size_t field) { ParamExit(field); });

    // Stack count 1 and one strand until the user enters others.
    params_[9]->setText("1");
    params_[10]->setText(" 1");
}

QLabel* TReqtForm::labelApplication() const {
    return labelApplication_;
}

void TReqtForm::setShape(CoreShape shape) {
    shell_.session->requirementEntry().setShape(shape);
}

RequirementTexts TReqtForm::texts() const {
    RequirementTexts t;
    for (int i = 0; i < kFields; ++i) {
        t[static_cast<std::size_t>(i)] = params_[static_cast<std::size_t>(i)]
                                             ->text()
                                             .left(static_cast<int>(RequirementEntry::kReadLength))
                                             .toStdString();
    }
    return t;
}

void TReqtForm::showTexts(const RequirementTexts& texts) {
    for (int i = 0; i < kFields; ++i) {
        QLineEdit* edit = params_[static_cast<std::size_t>(i)];
        edit->setText(qt(texts[static_cast<std::size_t>(i)]));
        edit->setCursorPosition(static_cast<int>(edit->text().size()));
    }
}

void TReqtForm::formActivate() {
    RequirementEntry& entry = shell_.session->requirementEntry();
    entry.activate(application_);
    shell_.main->setCurrentApplication(application_);
    showTexts(entry.shownTexts());
    labelApplication_->setText(qt(std::string(applicationTitle(application_))));

    const auto labels = requirementFieldLabels(application_);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const RequirementFieldLabel& l = labels[i];
        captions_[i]->setText(qt(l.caption));
        units_[i]->setText(qt(l.unit));
        hint(params_[i], qt(l.hint));
        captions_[i]->setVisible(l.visible);
        units_[i]->setVisible(l.visible);
        params_[i]->setVisible(l.visible);
    }
    const int a = toIndex(application_);
    ripple_->setVisible(a <= 3);
    shapeBox_->setVisible(application_ != Application::WideSwing);
    label39_->setVisible(application_ == Application::WideSwing);
    material_->setVisible(application_ != Application::WideSwing &&
                          application_ != Application::Resonant);

    const Requirement& r = entry.requirement();
    shapeBox_->clear();
    for (const std::string_view name : kCoreShapeNames) {
        shapeBox_->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    shapeBox_->setCurrentIndex(static_cast<int>(r.shape));
    windgBox_->clear();
    windgBox_->addItems({"FULL WINDOW", "SINGLE LAYER"});
    windgBox_->setCurrentIndex(static_cast<int>(r.windingType));

    ParamExit(0);
    keys_->updateVisibility();
    keys_->reset();
    params_[0]->setFocus(Qt::OtherFocusReason);
}

void TReqtForm::LabelApplicationClick() {
    application_ = applicationFromIndex(toIndex(application_) + 1);
    shell_.main->setCurrentApplication(application_);
    formActivate();
}

void TReqtForm::ParamExit(std::size_t field) {
    if (field > 8) {
        return;
    }
    const DerivedValue derived = deriveFromTexts(application_, texts());
    if (derived.rippleCurrent) {
        ripple_->setText(qt(rippleText(*derived.rippleCurrent)));
    }
    if (derived.resonantFrequency) {
        params_[7]->setText(qt(resonantFrequencyText(*derived.resonantFrequency)));
    }
}

void TReqtForm::ButtonCancelClick() {
    showTexts(shell_.session->requirementEntry().textCopies());
    ParamExit(0);
}

void TReqtForm::ButtonMaterialClick() {
    shell_.materials->showForm();
}

void TReqtForm::Button_OKClick() {
    const RequirementTexts entered = texts();
    // The trace is kept for WHY NOT.
    switch (shell_.session->acceptRequirement(entered, true)) {
    case DesignOutcome::Refused:
        break;
    case DesignOutcome::NoDesign:
        shell_.results->hide();
        break;
    case DesignOutcome::Designed:
        shell_.results->showResults();
        break;
    }
}

} // namespace korvane::gui
