// TForm5, the progress window: shown while a level is read or written, its bar driven by the level code.
#pragma once

#include "level/gauge.h"
#include "widgets/t_form.h"
#include "widgets/t_gauge.h"
#include "widgets/t_panel.h"

// Hands the level reader and writer's progress to a TGauge.
class TGaugeProgress : public pw::Gauge {
public:
    explicit TGaugeProgress(TGauge* bar) : bar_(bar) {}
    void SetProgress(int percent) override { bar_->SetProgress(percent); }

private:
    TGauge* bar_;
};

class TForm5 : public TForm {
    Q_OBJECT

public:
    TForm5();

    TPanel* Panel1;
    TGauge* Gauge1;
    // What the level record is given as its `gauge`: drives Gauge1.
    pw::Gauge* LevelGauge() { return &level_gauge_; }

    // Shows the window with `caption`, not modal, painted before the caller starts its work.
    void ShowProgress(const QString& caption);

private:
    TGaugeProgress level_gauge_{nullptr};
};

extern TForm5* Form5;
