#include "gui/EntryFilter.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace korvane::gui {
namespace {

EntryKey entryKey(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        return EntryKey::Enter;
    }
    if (key == Qt::Key_Up) {
        return EntryKey::Up;
    }
    if (key == Qt::Key_Down) {
        return EntryKey::Down;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return EntryKey::LetterOrDigit;
    }
    return EntryKey::Other;
}

} // namespace

EntryFilter::EntryFilter(EntryKeys::Scheme scheme, std::vector<Field> fields,
                         std::function<void()> ok, QObject* parent)
    : QObject(parent), keys_(scheme), fields_(std::move(fields)), ok_(std::move(ok)) {
    std::vector<FieldFilter> filters;
    for (const Field& f : fields_) {
        filters.push_back(f.filter);
        f.edit->installEventFilter(this);
    }
    keys_.setFields(std::move(filters));
}

void EntryFilter::updateVisibility() {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        keys_.setVisible(i, !fields_[i].edit->isHidden() && fields_[i].edit->isEnabled());
    }
}

std::size_t EntryFilter::indexOf(QObject* watched) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].edit == watched) {
            return i;
        }
    }
    return fields_.size();
}

void EntryFilter::moveFocus(std::size_t field) {
    if (field < fields_.size()) {
        fields_[field].edit->setFocus(Qt::OtherFocusReason);
    }
}

bool EntryFilter::eventFilter(QObject* watched, QEvent* event) {
    const std::size_t index = indexOf(watched);
    if (index >= fields_.size()) {
        return QObject::eventFilter(watched, event);
    }
    QLineEdit* edit = fields_[index].edit;
    switch (event->type()) {
    case QEvent::FocusIn:
        keys_.setFocus(index);
        break;
    case QEvent::FocusOut:
        keys_.focusLost();
        if (onExit_) {
            onExit_(index);
        }
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        updateVisibility();
        keys_.setFocus(index);
        const EntryKey k = entryKey(*key);
        const EntryKeys::Press press = keys_.keyDown(k, edit->text().toStdString());
        // Only a text the scheme changed is put back; otherwise the caret and any selection
        // stay where the user put them, and the key goes in there.
        if (press.text && QString::fromStdString(*press.text) != edit->text()) {
            edit->setText(QString::fromStdString(*press.text));
            edit->setCursorPosition(static_cast<int>(edit->text().size()));
        }
        if (press.focus) {
            moveFocus(*press.focus);
        }
        if (press.pressOk && ok_) {
            ok_();
        }
        // Enter and the arrows are the scheme's; every other key goes on into the field.
        return k == EntryKey::Enter || k == EntryKey::Up || k == EntryKey::Down;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat()) {
            break;
        }
        updateVisibility();
        keys_.setFocus(index);
        const EntryKey k = entryKey(*key);
        if (onKeyUp_ && onKeyUp_(index, k)) {
            break;
        }
        if (const auto to = keys_.keyUp(k)) {
            moveFocus(*to);
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvane::gui
