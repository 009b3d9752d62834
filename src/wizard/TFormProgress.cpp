#include "wizard/TFormProgress.h"

#include "app/CGlobalVar.h"
#include "app/DebugPrint.h"
#include "wizard/TApplication.h"
#include "wizard/TFormRes.h"
#include "wizard/TImage.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>

#include <exception>

// The time limit in ticks after the task started: 1500 x 200 ms, about 300 seconds.
static constexpr intptr_t kTickLimit = 1500;

TFormProgress::TFormProgress(platform::EventLoop& loop, QWidget* parent)
    : TFormBase(loop, "FormProgress", parent, Qt::Dialog | Qt::FramelessWindowHint),
      TimerProc(loop, 200) {
    setFixedSize(190, 50);
    QFont font("Tahoma");
    font.setPixelSize(11);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    ImgBG = Components.Add("ImgBG", new TImage(this));
    ImgBG->setGeometry(0, 0, 190, 50);
    ImgBG->SetAutoSize(true);
    LbWait = Components.Add("LbWait", new QLabel("LbWait", this));
    LbWait->setGeometry(20, 8, 150, 13);
    QFont bold = font;
    bold.setBold(true);
    LbWait->setFont(bold);
    ProgressBar1 = Components.Add("ProgressBar1", new QProgressBar(this));
    ProgressBar1->setGeometry(20, 25, 150, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    Components.AddNonVisual("TimerProc");
    TimerProc.OnTimer = [this](platform::Timer&) { TimerProcTimer(); };

    FormCreate();
}

TFormProgress::~TFormProgress() = default;

void TFormProgress::FormCreate() {
    setWindowTitle(QString::fromStdString(GlobalVar.AppTitle));
    ApplyIniCaptions("FormProgress");
    if (FormRes)
        ImgBG->SetPicture(FormRes->ImgBGProgress);
    ApplyIniLayout("FormProgress");
}

int TFormProgress::Execute(QWidget* control) {
    try {
        QWidget* ref = control ? control->window() : nullptr;
        if (!qobject_cast<TFormBase*>(ref))
            ref = Application ? dynamic_cast<QWidget*>(Application->MainForm) : nullptr;
        if (ref) {
            QRect r = ref->geometry();
            move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
        }
        int result = ShowModal();
        TimerProc.SetEnabled(false);
        return result;
    } catch (const std::exception& e) {
        DebugPrint("TFormProgress::Execute() FAIL %s", e.what());
    } catch (...) {
        DebugPrint("TFormProgress::Execute() FAIL");
    }
    TimerProc.SetEnabled(false);
    return 0;
}

void TFormProgress::showEvent(QShowEvent* e) {
    TFormBase::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFormProgress::FormShow() {
    TimerProc.Tag = 0;
    TimerProc.SetEnabled(true);
}

void TFormProgress::TimerProcTimer() {
    // StepIt: past the maximum the bar starts again from the beginning.
    int v = ProgressBar1->value() + 1;
    if (v > ProgressBar1->maximum())
        v -= ProgressBar1->maximum() - ProgressBar1->minimum();
    ProgressBar1->setValue(v);

    if (TimerProc.Tag == 0) {
        // The task runs once, with no re-entrant tick while it runs.
        TimerProc.SetEnabled(false);
        TimerProc.Tag = 1;
        if (TaskProc)
            TaskProc();
        TimerProc.SetEnabled(true);
        return;
    }
    if (++TimerProc.Tag > kTickLimit)
        ModalResult = 2;
}

void TFormProgress::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier)) {
        e->accept();
        return;
    }
    TFormBase::keyPressEvent(e);
}

void TFormProgress::closeEvent(QCloseEvent* e) {
    e->ignore();
}
