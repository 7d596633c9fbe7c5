// Pages > Compact Pages: shows what packing the used art would do, and does it as one step. When
// removing the unused textures first would free more pages, the question offers that too (as a step
// of its own, before the compaction).
#include "app/main_window.h"
#include "widgets/platform.h"

void TForm1::CompactPages1Click() {
    if (!LevelOpen())
        return;
    pw::CompactionPlan plan, lean;
    std::size_t unused = 0;
    {
        BusyCursor busy;
        plan = doc_.PlanCompaction();
        lean = doc_.PlanCompactionWithoutUnused(unused);
    }
    const bool offer = unused > 0 && lean.pages_after < plan.pages_after;
    if (!plan.ChangesLevel() && !offer) {
        CurrentPlatform().ShowMessage(this, Text(MessageText::compact_nothing));
        return;
    }
    const auto outcome = [&](MessageText text) {
        return Text(text).arg(plan.pages_before).arg(plan.pages_after).arg(plan.MovedAreas());
    };
    bool remove_first = false;
    if (offer) {
        const QString question =
            outcome(MessageText::compact_after_cleanup).arg(unused).arg(lean.pages_after);
        const auto answer =
            CurrentPlatform().Ask(this, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::No && !plan.ChangesLevel()))
            return;
        remove_first = answer == QMessageBox::Yes;
    } else if (CurrentPlatform().Ask(this, outcome(MessageText::compact_question),
                                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    BusyCursor busy;
    if (remove_first)
        doc_.CleanTextures(false, true);
    doc_.CompactPages();
}
