#include "wizard/TFormBase.h"

#include "platform/EventLoop.h"

#include <QCloseEvent>

TFormBase::TFormBase(platform::EventLoop& loop, const std::string& name, QWidget* parent,
                     Qt::WindowFlags flags)
    : TComponentOwner(loop, name, parent, flags) {}

TFormBase::~TFormBase() = default;

int TFormBase::ShowModal() {
    // Leaves the window hidden and out of its modal state also when a handler raises.
    struct ModalScope {
        TFormBase& form;
        ~ModalScope() {
            form.hide();
            form.setWindowModality(Qt::NonModal);
            form.inModal_ = false;
        }
    };
    ModalResult = 0;
    inModal_ = true;
    setWindowModality(Qt::ApplicationModal);
    ModalScope scope{*this};
    show();
    Loop().runUntil([this] { return ModalResult != 0; });
    if (ModalResult == 0)
        ModalResult = 2;
    return ModalResult;
}

void TFormBase::closeEvent(QCloseEvent* e) {
    if (inModal_) {
        ModalResult = 2;
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}
