#include "widgets/t_gauge.h"

#include <QPainter>

#include "widgets/component_setup.h"

TGauge::TGauge(TForm* owner, QWidget* parent, const QString& name) : QWidget(parent) {
    SetUpComponent(this, owner, name);
}

void TGauge::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}

void TGauge::SetProgress(int value) {
    const int shown = PercentDone();
    progress_ = qBound(min_value_, value, max_value_);
    if (PercentDone() != shown)
        repaint();
}

void TGauge::SetRange(int min_value, int max_value) {
    min_value_ = min_value;
    max_value_ = qMax(min_value, max_value);
    progress_ = qBound(min_value_, progress_, max_value_);
    update();
}

int TGauge::PercentDone() const {
    const int span = max_value_ - min_value_;
    return span == 0 ? 0 : (progress_ - min_value_) * 100 / span;
}

void TGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    const QRect filled(inside.left(), inside.top(), inside.width() * PercentDone() / 100, inside.height());
    const QString text = QString::number(PercentDone()) + QLatin1Char('%');

    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.fillRect(filled, Qt::black);
    // The text is black over the empty part and white over the filled part.
    painter.drawText(inside, Qt::AlignCenter, text);
    painter.setClipRect(filled);
    painter.setPen(Qt::white);
    painter.drawText(inside, Qt::AlignCenter, text);
}
