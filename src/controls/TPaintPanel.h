#pragma once

#include <QFrame>

#include <functional>

// A panel whose painting can be taken over by its owner.
class TPaintPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPaintPanel(QWidget* parent = nullptr);

    // Called with the panel as sender instead of the panel's own painting; paint with
    // QPainter(sender) inside it.
    std::function<void(TPaintPanel* sender)> OnPaint;

protected:
    void paintEvent(QPaintEvent* e) override;
};
