#include "gui/ParamsForm.h"

#include "graphs/ShellLayout.h"
#include "gui/ClickableLabel.h"
#include "gui/EntryFilter.h"
#include "gui/QtText.h"
#include "gui/Shell.h"
#include "session/DesignSession.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane::gui {
namespace {

// Parameter position of each component position.
constexpr int kPosition[TParamsForm::kFields] = {0, 1, 1, 2, 3, 4, 5, 6, 7, 8};

} // namespace

TParamsForm::TParamsForm(Shell& shell, Size screen) : shell_(shell) {
    setObjectName("ParamsForm");
    setWindowTitle("DESIGN_PARAMETERS");
    const Rect r = parametersWindowRect(screen);
    placeWindow(*this, r.left, r.top, r.right - r.left, r.bottom - r.top);
    setEnabled(false);

    QFont own = font();
    own.setPointSizeF(11.0);
    setFont(own);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 16, 24, 16);
    outer->setSpacing(14);
    labelApplication_ = applicationTitleLabel(this);
    connect(labelApplication_, &ClickableLabel::clicked, this, &TParamsForm::LabelApplicationClick);
    outer->addWidget(labelApplication_);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 2);
    grid->setVerticalSpacing(16);
    grid->setHorizontalSpacing(12);
    QFont bold = font();
    bold.setBold(true);
    for (int i = 0; i < kFields; ++i) {
        const int position = kPosition[i];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(i == 2 ? QString("Param1A") : QString("Param%1").arg(position));
        edit->setAlignment(Qt::AlignRight);
        edit->setFont(bold);
        fields_[static_cast<std::size_t>(i)] = edit;
        // One of the two copper fields is hidden; its row keeps its height.
        QSizePolicy policy = edit->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        edit->setSizePolicy(policy);
        const bool density = i == 2;
        auto* label =
            new QLabel(density ? qt(kCurrentDensityLabel) : qt(parameterLabel(position)), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* unit =
            new QLabel(density ? qt(kCurrentDensityUnit) : qt(parameterUnit(position)), this);
        if (position == 1) {
            copperLabels_[i - 1][0] = label;
            copperLabels_[i - 1][1] = unit;
        }
        grid->addWidget(label, i, 0);
        grid->addWidget(edit, i, 1);
        grid->addWidget(unit, i, 2);
    }
    outer->addLayout(grid);

    auto* lists = new QGridLayout;
    unitsBox_ = new QComboBox(this);
    unitsBox_->setObjectName("UnitsBox");
    wireGageBox_ = new QComboBox(this);
    wireGageBox_->setObjectName("WireGageBox");
    for (int i = 0; i < 3; ++i) {
        unitsBox_->addItem(qt(unitSystemListEntry(static_cast<UnitSystem>(i))));
        wireGageBox_->addItem(qt(wireSystemListEntry(static_cast<WireSystem>(i))));
    }
    lists->addWidget(new QLabel("MEASUREMENT UNITS", this), 0, 0, Qt::AlignHCenter);
    lists->addWidget(new QLabel("WIRE GAGE STANDARD", this), 0, 1, Qt::AlignHCenter);
    lists->addWidget(unitsBox_, 1, 0);
    lists->addWidget(wireGageBox_, 1, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);
    lists->setHorizontalSpacing(40);
    outer->addStretch(1);
    outer->addLayout(lists);
    connect(wireGageBox_, &QComboBox::activated, this, &TParamsForm::WireGageBoxChange);

    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("Button_OK");
    hint(ok_, "PRESS TO STORE CHANGES AND CONTINUE");
    cancel_ = new QPushButton("CANCEL", this);
    cancel_->setObjectName("ButtonCancel");
    for (QPushButton* b : {ok_, cancel_}) {
        b->setAutoDefault(false);
        b->setMinimumSize(150, 34);
    }
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addSpacing(40);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &TParamsForm::Button_OK);
    connect(cancel_, &QPushButton::clicked, this, &TParamsForm::ButtonCancel);

    std::vector<EntryFilter::Field> entries;
    for (int i = 0; i < kFields; ++i) {
        entries.push_back({fields_[static_cast<std::size_t>(i)],
                           kPosition[i] == 8 ? FieldFilter::Signed : FieldFilter::Positive});
    }
    keys_ = new EntryFilter(
        EntryKeys::Scheme::Form, std::move(entries), [this] { ok_->click(); }, this);
}

QLabel* TParamsForm::labelApplication() const {
    return labelApplication_;
}

bool TParamsForm::metric() const {
    return shell_.session->parameters().wireSystem() == WireSystem::Metric;
}

QLineEdit* TParamsForm::positionField(int position) const {
    if (position == 0) {
        return fields_[0];
    }
    if (position == 1) {
        return metric() ? fields_[2] : fields_[1];
    }
    return fields_[static_cast<std::size_t>(position + 1)];
}

void TParamsForm::showCopperField() {
    fields_[1]->setVisible(!metric());
    fields_[2]->setVisible(metric());
    keys_->updateVisibility();
}

void TParamsForm::showForApplication(Application a) {
    shell_.session->parameters().setShownApplication(a);
    showForm();
}

void TParamsForm::formActivate() {
    const DesignParameters& p = shell_.session->parameters();
    keys_->reset();
    labelApplication_->setText(qt(parametersTitle(p.shownApplication())));
    buffers_ = parameterTexts(p);
    for (int position = 0; position < ParameterSet::kCount; ++position) {
        const QString text = QString::fromStdString(buffers_[static_cast<std::size_t>(position)]);
        if (position == 1) {
            fields_[1]->setText(text);
            fields_[2]->setText(text);
        } else {
            positionField(position)->setText(text);
        }
    }
    for (QLineEdit* f : fields_) {
        f->setCursorPosition(static_cast<int>(f->text().size()));
    }
    unitsBox_->setCurrentIndex(static_cast<int>(p.unitSystem()));
    wireGageBox_->setCurrentIndex(static_cast<int>(p.wireSystem()));
    showCopperField();
}

void TParamsForm::Button_OK() {
    for (int position = 0; position < ParameterSet::kCount; ++position) {
        buffers_[static_cast<std::size_t>(position)] =
            positionField(position)
                ->text()
                .left(static_cast<int>(kParameterReadLength))
                .toStdString();
    }
    const auto units = static_cast<UnitSystem>(unitsBox_->currentIndex());
    if (applyParameterTexts(shell_.session->parameters(), buffers_, units)) {
        setEnabled(false);
        hide();
    }
}

void TParamsForm::ButtonCancel() {
    for (int position = 0; position < ParameterSet::kCount; ++position) {
        QLineEdit* f = position == 1 ? fields_[1] : positionField(position);
        f->setText(QString::fromStdString(buffers_[static_cast<std::size_t>(position)]));
    }
}

void TParamsForm::WireGageBoxChange(int index) {
    DesignParameters& p = shell_.session->parameters();
    QLineEdit* visible = positionField(1);
    const std::optional<std::string> converted =
        changeWireStandard(p, static_cast<WireSystem>(index), visible->text().toStdString());
    if (converted) {
        positionField(1)->setText(QString::fromStdString(*converted));
    }
    showCopperField();
}

void TParamsForm::LabelApplicationClick() {
    DesignParameters& p = shell_.session->parameters();
    p.setShownApplication(applicationFromIndex(toIndex(p.shownApplication()) + 1));
    formActivate();
}

} // namespace korvane::gui
