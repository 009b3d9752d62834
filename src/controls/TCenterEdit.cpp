#include "controls/TCenterEdit.h"

TCenterEdit::TCenterEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignHCenter);
}
