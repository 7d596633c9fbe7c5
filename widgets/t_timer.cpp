#include "widgets/t_timer.h"

#include <QTimer>

#include "widgets/component_setup.h"
#include "widgets/t_form.h"

TTimer::TTimer(TForm* owner, const QString& name) : QObject(owner), timer_(new QTimer(this)) {
    SetUpComponent(this, owner, name);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (OnTimer)
            OnTimer();
    });
    Restart();
}

int TTimer::Interval() const {
    return timer_->interval();
}

void TTimer::SetInterval(int milliseconds) {
    timer_->setInterval(milliseconds);
    Restart();
}

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Restart();
}

// A timer with interval 0 is stopped, not a busy loop.
void TTimer::Restart() {
    if (enabled_ && timer_->interval() > 0)
        timer_->start();
    else
        timer_->stop();
}
