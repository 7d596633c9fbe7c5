// TTimer: runs OnTimer every Interval milliseconds while enabled.
#pragma once

#include <functional>

#include <QObject>

class QTimer;
class TForm;

class TTimer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TTimer(TForm* owner, const QString& name);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int Interval() const;
    void SetInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> OnTimer;

private:
    void Restart();

    QTimer* timer_;
    bool enabled_ = true;
    int tag_ = 0;
};
