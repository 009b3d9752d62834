#pragma once

#include <QLineEdit>

// A one-line edit whose text is centred, for the octet fields of the address edit.
class TCenterEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCenterEdit(QWidget* parent = nullptr);
};
