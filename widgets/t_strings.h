// TStrings: a list of strings that a control publishes as its Items (a memo as its Lines). The
// subclasses keep the strings in the control itself, so the list and what the user sees agree.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class TStrings : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")

public:
    using QObject::QObject;

    virtual int Count() const = 0;
    virtual QString Strings(int index) const = 0;
    virtual void SetStrings(int index, const QString& text) = 0;
    virtual void Insert(int index, const QString& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    void Add(const QString& text) { Insert(Count(), text); }
    // Replaces the whole list inside one update bracket.
    void Assign(const QStringList& texts);
    QStringList ToStringList() const;
    int IndexOf(const QString& text) const;

    // Nested brackets: the control refreshes once, when the outermost bracket ends.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return update_count_ > 0; }

protected:
    virtual void UpdatingChanged(bool updating) { (void)updating; }

private:
    int update_count_ = 0;
};

// A list kept in memory only; announces every change with Changed() unless inside an update bracket.
class TStringList : public TStrings {
    Q_OBJECT

public:
    using TStrings::TStrings;

    int Count() const override { return static_cast<int>(strings_.size()); }
    QString Strings(int index) const override;
    void SetStrings(int index, const QString& text) override;
    void Insert(int index, const QString& text) override;
    void Delete(int index) override;
    void Clear() override;

signals:
    void Changed();

protected:
    void UpdatingChanged(bool updating) override;

private:
    void Notify();

    QStringList strings_;
};
