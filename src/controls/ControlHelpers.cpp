#include "controls/ControlHelpers.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QWidget>

bool SelectComboByValue(QComboBox& combo, int value) {
    for (int i = 0; i < combo.count(); ++i) {
        bool ok = false;
        int attached = combo.itemData(i).toInt(&ok);
        if (ok && attached == value) {
            QSignalBlocker quiet(combo);
            combo.setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

void FocusEdit(QWidget* edit) {
    try {
        if (!edit)
            return;
        QWidget* form = edit->window();
        // isVisible and isEnabled already answer for every parent up to the window.
        if (form && form->isVisible() && edit->isVisible() && edit->isEnabled() &&
            edit->focusPolicy() != Qt::NoFocus)
            edit->setFocus(Qt::OtherFocusReason);
    } catch (...) {
        // Focus after a rejected entry is a courtesy: nothing here may fail the caller.
    }
}
