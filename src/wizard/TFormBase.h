#pragma once

#include "wizard/TComponentOwner.h"

// A top-level window of the wizard: its components, window messages, and a modal run of our
// own loop (so timers, sockets and posted messages keep flowing while it is up).
class TFormBase : public TComponentOwner {
    Q_OBJECT
public:
    TFormBase(platform::EventLoop& loop, const std::string& name, QWidget* parent = nullptr,
              Qt::WindowFlags flags = Qt::Window);
    ~TFormBase() override;

    // 0 while a modal run goes on; any other value ends it after the current message.
    int ModalResult = 0;
    // Shows the window modally until ModalResult is set, hides it and returns the result
    // (2 when the loop was told to quit first).
    int ShowModal();
    bool Modal() const { return inModal_; }

protected:
    // The system's close command ends a modal run with 2 and never destroys the window.
    void closeEvent(QCloseEvent* e) override;

private:
    bool inModal_ = false;
};
