#pragma once

#include "platform/Timer.h"
#include "wizard/TFormBase.h"

#include <functional>

class QLabel;
class QProgressBar;
class TImage;

// The modal waiting window of a device exchange: starts the task once on the first 200 ms tick,
// moves its bar, and ends when someone sets ModalResult or after 1500 ticks with 2.
class TFormProgress : public TFormBase {
    Q_OBJECT
public:
    explicit TFormProgress(platform::EventLoop& loop, QWidget* parent = nullptr);
    ~TFormProgress() override;

    TImage* ImgBG;
    QLabel* LbWait;
    QProgressBar* ProgressBar1;
    platform::Timer TimerProc;

    // The task to start; set by the caller before Execute.
    std::function<void()> TaskProc;

    // Centred over the window holding `control`, shown modally: 1 success, 2 failure or time
    // limit, 0 when positioning or showing raised an error.
    int Execute(QWidget* control);

protected:
    void FormCreate();
    void FormShow();
    void TimerProcTimer();

    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    // Not closable while up: the system's close command is refused like Alt+F4.
    void closeEvent(QCloseEvent* e) override;
};
