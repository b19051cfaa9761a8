#pragma once

#include "format/EntryKeys.h"

#include <QObject>
#include <functional>
#include <vector>

class QLineEdit;

namespace korvane::gui {

// Feeds the key and focus events of an entry window's fields to the core's entry-key scheme
// and carries out what it answers: the filtered text, the focus move, the OK press.
class EntryFilter : public QObject {
    Q_OBJECT

  public:
    struct Field {
        QLineEdit* edit;
        FieldFilter filter;
    };

    EntryFilter(EntryKeys::Scheme scheme, std::vector<Field> fields, std::function<void()> ok,
                QObject* parent = nullptr);

    // The window activated: the first key typed replaces.
    void reset() { keys_.reset(); }
    // Which fields are in the ring follows their visibility; call after changing it.
    void updateVisibility();
    // Called with the field index whenever a field loses the focus (the exit handlers).
    void setOnExit(std::function<void(std::size_t)> onExit) { onExit_ = std::move(onExit); }
    // A field's own key-release handler, asked first; true when it handled the key (the
    // scheme then moves no focus).
    void setOnKeyUp(std::function<bool(std::size_t, EntryKey)> onKeyUp) {
        onKeyUp_ = std::move(onKeyUp);
    }
    // Moves the focus to a field of the ring.
    void moveFocus(std::size_t field);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::size_t indexOf(QObject* watched) const;

    EntryKeys keys_;
    std::vector<Field> fields_;
    std::function<void()> ok_;
    std::function<void(std::size_t)> onExit_;
    std::function<bool(std::size_t, EntryKey)> onKeyUp_;
};

} // namespace korvane::gui
