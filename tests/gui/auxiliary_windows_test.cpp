// The progress, readme and About windows, and closing the main window.
#include <QSignalSpy>
#include <QTimer>

#include "app/about_window.h"
#include "app/progress_window.h"
#include "app/readme_window.h"
#include "app_fixture.h"

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class MissingReadmeTest : public AppTest {
protected:
    MissingReadmeTest() { with_readme_ = false; }
};

} // namespace

TEST_F(AppTest, GaugeIsClampedAndRepaintsOnlyWhenThePercentageChanges) {
    TGauge* gauge = Form5->Gauge1;
    gauge->SetProgress(150);
    EXPECT_EQ(gauge->Progress(), 100);
    gauge->SetProgress(-5);
    EXPECT_EQ(gauge->Progress(), 0);

    Form5->ShowProgress("Saving Level...");
    PaintCounter counter(gauge);
    gauge->SetProgress(40);
    EXPECT_EQ(counter.paints, 1);
    gauge->SetProgress(40);
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(gauge->PercentDone(), 40);
    Form5->Close();
}

TEST_F(AppTest, LoadingDrivesTheGaugeAndLeavesItEmpty) {
    PaintCounter counter(Form5->Gauge1);
    OpenThroughMenu(WriteLevel(Level(6, 2)));
    EXPECT_GT(counter.paints, 2);
    EXPECT_EQ(Form5->Gauge1->Progress(), 0);
    EXPECT_FALSE(Form5->isVisible());
}

TEST_F(AppTest, ReadmeIsLoadedAtStartUpAndShownByTheMenu) {
    EXPECT_TRUE(platform_.messages.empty());
    EXPECT_GT(Form3->Memo1->Lines()->Count(), 10);
    EXPECT_TRUE(Form3->Memo1->toPlainText().contains("File not found!!!"));
    EXPECT_TRUE(Form3->Memo1->ReadOnly());
    Form1->Control<TMenuItem>("Help1")->Action()->trigger();
    EXPECT_TRUE(Form3->isVisible());
}

TEST_F(MissingReadmeTest, ReportsTheMissingFileOnceAndStartsAnyway) {
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0].kind, ScriptedPlatform::MessageKind::Error);
    EXPECT_EQ(platform_.messages[0].text, "Cannot open file " + Folder() + "/readme.txt");
    ASSERT_NE(Form5, nullptr);
    Form1->Control<TMenuItem>("Help1")->Action()->trigger();
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_EQ(Form3->Memo1->Lines()->Count(), 0);
    EXPECT_EQ(platform_.messages.size(), 1u);
}

TEST_F(AppTest, AboutWindowIsModalUntilOk) {
    bool was_modal = false;
    QTimer::singleShot(0, Form2, [&was_modal] {
        was_modal = Form2->isVisible() && Form2->isModal();
        Form2->Button1->click();
    });
    QTimer::singleShot(5000, Form2, [] { Form2->Hide(); }); // never hang the suite
    Form1->Control<TMenuItem>("Abaout1")->Action()->trigger();
    EXPECT_TRUE(was_modal);
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_FALSE(Form2->isModal());
}

TEST_F(AppTest, ExitClosesTheMainWindow) {
    Form1->Show();
    QSignalSpy closed(Form1, &TForm::Closed);
    Form1->Control<TMenuItem>("Exit2")->Action()->trigger();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(Form1->isVisible());
}
