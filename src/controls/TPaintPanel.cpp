#include "controls/TPaintPanel.h"

TPaintPanel::TPaintPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
}

void TPaintPanel::paintEvent(QPaintEvent* e) {
    if (OnPaint)
        OnPaint(this);
    else
        QFrame::paintEvent(e);
}
