#include "gui/HelpForm.h"

#include "graphs/ShellLayout.h"
#include "gui/HelpTexts.h"
#include "gui/QtText.h"

#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace korvane::gui {
namespace {

constexpr int kGettingStartedWidth = 640;
constexpr int kBlankHeight = 480;
constexpr int kMargin = 8;

QPlainTextEdit* textField(QWidget* parent, const char* name) {
    auto* field = new QPlainTextEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    field->document()->setDocumentMargin(8);
    return field;
}

} // namespace

THelp::THelp(Size screen) {
    setObjectName("Help");
    setWindowTitle("KORVANE HELP");
    const Rect r = helpWindowRect(screen);
    placeWindow(*this, r.left, r.top, r.right - r.left, r.bottom - r.top);

    heading_ = new QLabel("GETTING STARTED", this);
    QFont f = heading_->font();
    f.setBold(true);
    f.setItalic(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    heading_->setFont(f);

    blank_ = textField(this, "BlankField");
    gettingStarted_ = textField(this, "GettingStartedField");
    gettingStarted_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    gettingStarted_->setPlainText(qt(kGettingStartedText));
    gettingStarted_->hide();
    helpTopics_ = textField(this, "HelpTopicsField");
    helpTopics_->setLineWrapMode(QPlainTextEdit::NoWrap);
    helpTopics_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    helpTopics_->setPlainText(qt(kHelpTopicsText));
    helpTopics_->hide();
}

void THelp::resizeEvent(QResizeEvent* event) {
    FormWindow::resizeEvent(event);
    const int headingHeight = heading_->sizeHint().height() + 2 * kMargin;
    heading_->setGeometry(kMargin, kMargin, width() - 2 * kMargin, headingHeight - 2 * kMargin);
    const int fieldHeight = height() - headingHeight - kMargin;
    gettingStarted_->setGeometry(kMargin, headingHeight, kGettingStartedWidth, fieldHeight);
    blank_->setGeometry(kMargin, headingHeight, kGettingStartedWidth,
                        std::min(kBlankHeight, fieldHeight));
    helpTopics_->setGeometry(0, headingHeight, width(), height() - headingHeight);
}

void THelp::showGettingStarted() {
    heading_->setText("GETTING STARTED");
    helpTopics_->hide();
    gettingStarted_->show();
    gettingStarted_->raise();
    showForm();
}

void THelp::showHelpTopics() {
    heading_->setText("HELP TOPICS");
    gettingStarted_->hide();
    blank_->hide();
    helpTopics_->show();
    helpTopics_->moveCursor(QTextCursor::Start);
    blank_->moveCursor(QTextCursor::Start);
    helpTopics_->ensureCursorVisible();
    showForm();
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About This Program");
    auto* outer = new QVBoxLayout(this);
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    auto* inner = new QHBoxLayout(frame);
    auto* icon = new QSvgWidget(":/korvane/cover.svg", frame);
    icon->setFixedSize(96, 40);
    auto* title = new QLabel("Design of Inductors For Power Filter Applications", frame);
    title->setAlignment(Qt::AlignCenter);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    inner->addWidget(icon, 0, Qt::AlignTop);
    inner->addWidget(title, 1);
    outer->addWidget(frame);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    outer->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint().expandedTo(QSize(420, 160)));
}

} // namespace korvane::gui
