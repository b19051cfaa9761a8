#include "gui/WhyNotForm.h"

#include "format/StrPrintf.h"
#include "gui/Shell.h"
#include "session/DesignSession.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace korvane::gui {

TWhyNotForm::TWhyNotForm(Shell& shell) : shell_(shell) {
    setObjectName("WhyNotForm");
    setWindowTitle("WHY NOT: WHAT BECAME OF EVERY LISTING");
    resize(900, 620);
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* label = new QLabel("PART NUMBER OR MATERIAL:", this);
    filter_ = new QLineEdit(this);
    filter_->setObjectName("FilterBox");
    filter_->setToolTip("Shows only the listings whose part number holds this text, e.g. T106 "
                        "or -26");
    filter_->setClearButtonEnabled(true);
    top->addWidget(label);
    top->addWidget(filter_, 1);
    outer->addLayout(top);
    counts_ = new QLabel(this);
    counts_->setObjectName("CountsLabel");
    counts_->setWordWrap(true);
    outer->addWidget(counts_);
    note_ = new QLabel(this);
    note_->setObjectName("NoteLabel");
    note_->setWordWrap(true);
    note_->setStyleSheet("color: rgb(160, 0, 0);");
    outer->addWidget(note_);
    list_ = new QPlainTextEdit(this);
    list_->setObjectName("ListingList");
    list_->setReadOnly(true);
    list_->setLineWrapMode(QPlainTextEdit::NoWrap);
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    outer->addWidget(list_, 1);
    connect(filter_, &QLineEdit::textChanged, this, &TWhyNotForm::FilterChange);
}

void TWhyNotForm::formActivate() {
    const DesignRunOutput* run = shell_.session->lastRun();
    rows_ = run ? whyNotRows(run->trace) : std::vector<WhyNotRow>{};
    FilterChange();
}

void TWhyNotForm::FilterChange() {
    const std::string filter = filter_->text().trimmed().toStdString();
    const std::vector<WhyNotRow> shown = filteredRows(rows_, filter);
    QString text;
    for (const WhyNotRow& r : shown) {
        text += QString::fromStdString(
            strprintf("%4d  %-15s  %s\n", r.line + 1, r.partNumber.c_str(), r.reason.c_str()));
    }
    list_->setPlainText(text);
    counts_->setText(QString::fromStdString(
        strprintf("%zu of %zu listings:  ", shown.size(), rows_.size()) + countsText(shown)));
    const DesignRunOutput* run = shell_.session->lastRun();
    std::optional<std::string> note;
    if (run != nullptr) {
        note = notReachedText(filter, rows_, shell_.session->catalog(), run->design.shape,
                              run->search);
    } else {
        note = "No design has been run yet.";
    }
    note_->setText(note ? QString::fromStdString(*note) : QString());
    note_->setVisible(note.has_value());
}

} // namespace korvane::gui
