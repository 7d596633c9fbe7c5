// TGauge: a horizontal progress bar, black on white with a percentage in the middle. It is the bar
// that the level reader and writer drive, and it repaints at once whenever the shown percentage changes,
// because they run on the GUI thread without returning to the event loop.
#pragma once

#include <QWidget>

class TForm;

class TGauge : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int Progress READ Progress WRITE SetProgress)

public:
    TGauge(TForm* owner, QWidget* parent, const QString& name);

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int Progress() const { return progress_; }
    // Clamped to MinValue..MaxValue.
    void SetProgress(int value);
    int MinValue() const { return min_value_; }
    int MaxValue() const { return max_value_; }
    void SetRange(int min_value, int max_value);
    int PercentDone() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString hint_;
    int tag_ = 0;
    int progress_ = 0;
    int min_value_ = 0;
    int max_value_ = 100;
};
