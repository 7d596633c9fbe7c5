// Pages > Compact Pages: shows what packing the used art would do, and does it as one step.
#include "app/main_window.h"
#include "widgets/platform.h"

void TForm1::CompactPages1Click() {
    CompactPagesAfter({});
}

void TForm1::CompactPagesAfter(const std::function<bool()>& first) {
    if (!LevelOpen())
        return;
    if (first)
        first();
    pw::CompactionPlan plan;
    {
        BusyCursor busy;
        plan = doc_.PlanCompaction();
    }
    if (!plan.ChangesLevel()) {
        CurrentPlatform().ShowMessage(this, Text(MessageText::compact_nothing));
        return;
    }
    const QString outcome = Text(MessageText::compact_question)
                                .arg(plan.pages_before)
                                .arg(plan.pages_after)
                                .arg(plan.MovedAreas());
    if (CurrentPlatform().Ask(this, outcome, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    BusyCursor busy;
    doc_.CompactPages();
}
