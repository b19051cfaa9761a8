#include "gui/MaterialSelector.h"

#include "gui/QtText.h"
#include "gui/Shell.h"
#include "materials/MaterialLists.h"
#include "session/DesignSession.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace korvane::gui {
TMaterialSelector::TMaterialSelector(Shell& shell) : shell_(shell) {
    setObjectName("MaterialSelector");
    setWindowTitle("Korvane Materials for Power Conversion and Line Filter Applications");
    setToolTip("Select any or all From the List");
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);
    setAutoFillBackground(true);
    setEnabled(false);
    resize(760, 640);

    auto* outer = new QVBoxLayout(this);
    auto* area = new QScrollArea(this);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    auto* rows = new QWidget(area);
    rows->setAutoFillBackground(false);
    auto* grid = new QGridLayout(rows);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(6);
    const auto materials = selectableMaterials();
    const MaterialSelection& selection = shell_.session->selection();
    for (std::size_t i = 0; i < selection.materialCount(); ++i) {
        auto* box = new QCheckBox(QString::fromStdString(selection.materials()[i]), rows);
        box->setObjectName(QString("CheckBox%1").arg(i));
        QFont bold = box->font();
        bold.setBold(true);
        box->setFont(bold);
        std::string_view description;
        for (const SelectableMaterial& m : materials) {
            if (m.code == selection.materials()[i]) {
                description = m.description;
            }
        }
        auto* text = new QLabel(qt(description), rows);
        text->setWordWrap(true);
        grid->addWidget(box, static_cast<int>(i), 0, Qt::AlignTop);
        grid->addWidget(text, static_cast<int>(i), 1);
        connect(box, &QCheckBox::toggled, this,
                [this, i](bool checked) { shell_.session->selection().setChecked(i, checked); });
        boxes_.push_back(box);
    }
    area->setWidget(rows);
    outer->addWidget(area, 1);

    auto* buttons = new QHBoxLayout;
    invert_ = new QPushButton("INVERT SELECTION", this);
    hint(invert_, "PRESS TO DE-SELECT ALL SELECTED MATERIALS");
    selectAll_ = new QPushButton("SELECT ALL", this);
    ok_ = new QPushButton("OK", this);
    for (QPushButton* b : {invert_, selectAll_, ok_}) {
        b->setMinimumWidth(140);
        buttons->addWidget(b);
    }
    outer->addLayout(buttons);
    connect(invert_, &QPushButton::clicked, this, &TMaterialSelector::InvertClick);
    connect(selectAll_, &QPushButton::clicked, this, &TMaterialSelector::SelectAllClick);
    connect(ok_, &QPushButton::clicked, this, &TMaterialSelector::OKClick);
}

void TMaterialSelector::showChecks() {
    const std::vector<bool>& checks = shell_.session->selection().checks();
    for (std::size_t i = 0; i < boxes_.size() && i < checks.size(); ++i) {
        const QSignalBlocker block(boxes_[i]);
        boxes_[i]->setChecked(checks[i]);
    }
}

void TMaterialSelector::formActivate() {
    shell_.session->selection().activate();
    showChecks();
}

void TMaterialSelector::InvertClick() {
    shell_.session->selection().invertSelection();
    showChecks();
}

void TMaterialSelector::SelectAllClick() {
    shell_.session->selection().selectAll();
    showChecks();
}

void TMaterialSelector::OKClick() {
    shell_.session->selection().ok();
    setEnabled(false);
    hide();
}

} // namespace korvane::gui
