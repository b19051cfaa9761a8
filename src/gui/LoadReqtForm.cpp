#include "gui/LoadReqtForm.h"

#include "gui/MainForm.h"
#include "gui/Shell.h"
#include "session/DesignSession.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvane::gui {

TLoadReqtForm::TLoadReqtForm(Shell& shell) : shell_(shell) {
    setObjectName("LoadReqtForm");
    setWindowTitle("LOAD REQUIREMENT FROM FILE");
    resize(940, 420);
    auto* outer = new QVBoxLayout(this);
    fileLabel_ = new QLabel(this);
    fileLabel_->setWordWrap(true);
    outer->addWidget(fileLabel_);
    list_ = new QListWidget(this);
    list_->setObjectName("EntryList");
    outer->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    load_ = new QPushButton("LOAD", this);
    load_->setObjectName("LoadBtn");
    load_->setToolTip("Fills the requirements window, the materials and the design parameters "
                      "from the chosen entry");
    auto* cancel = new QPushButton("CANCEL", this);
    buttons->addStretch(1);
    buttons->addWidget(load_);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(load_, &QPushButton::clicked, this, &TLoadReqtForm::LoadClick);
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { LoadClick(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        load_->setEnabled(row >= 0 && static_cast<std::size_t>(row) < entries_.size() &&
                          entries_[static_cast<std::size_t>(row)].application.has_value());
    });
}

bool TLoadReqtForm::openFile(const QString& file) {
    const auto entries = shell_.session->requirementFileEntries(file.toStdString());
    if (!entries) {
        return false;
    }
    file_ = file;
    entries_ = *entries;
    fileLabel_->setText("Entries of " + file + ":");
    list_->clear();
    int last = -1;
    for (const RequirementFileListing& e : entries_) {
        auto* item = new QListWidgetItem(
            QString::fromStdString(e.date + "   " + e.summary).trimmed(), list_);
        if (!e.application) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled & ~Qt::ItemIsSelectable);
        } else {
            last = list_->count() - 1;
        }
    }
    list_->setCurrentRow(last);
    load_->setEnabled(last >= 0);
    showForm();
    return true;
}

void TLoadReqtForm::LoadClick() {
    const int row = list_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) {
        return;
    }
    const RequirementFileListing& chosen = entries_[static_cast<std::size_t>(row)];
    if (!chosen.application ||
        !shell_.session->loadRequirement(file_.toStdString(), chosen.index)) {
        return;
    }
    hide();
    shell_.main->designCommand(*chosen.application);
}

} // namespace korvane::gui
