#include "app/progress_window.h"

#include <QCoreApplication>
#include <QVBoxLayout>

#include "localisation/data_captions.h"

TForm5* Form5 = nullptr;

TForm5::TForm5() : TForm(QStringLiteral("Form5")) {
    SetBounds(227, 146, 426, 61);
    Panel1 = new TPanel(this, Client(), QStringLiteral("Panel1"));
    auto* fill = new QVBoxLayout(Client());
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(Panel1);
    Gauge1 = new TGauge(this, Panel1, QStringLiteral("Gauge1"));
    Gauge1->setGeometry(8, 6, 401, 19);
    level_gauge_ = TGaugeProgress(Gauge1);
    // The caption is its caller's, set for each use: the form itself has none to translate.
    DeclareDataCaptions(this, {this});
}

void TForm5::ShowProgress(const QString& caption) {
    SetCaption(caption);
    Show();
    // The work that follows holds the GUI thread: let the window appear first, taking no user input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
