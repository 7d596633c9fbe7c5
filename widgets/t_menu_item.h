// TMenuItem: one entry of a window's main menu, a submenu once it holds entries, or a separator when
// its caption is "-". OnClick runs when the entry is chosen or its shortcut pressed.
#pragma once

#include <functional>

#include <QKeySequence>
#include <QList>
#include <QObject>

class QAction;
class QMenu;
class TForm;

class TMenuItem : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TMenuItem(TForm* owner, const QString& name);
    ~TMenuItem() override;

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    QKeySequence ShortCut() const;
    void SetShortCut(const QKeySequence& shortcut);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Adds an entry below this one, which makes this entry a submenu.
    void Add(TMenuItem* item);
    const QList<TMenuItem*>& Items() const { return items_; }

    // What choosing the entry does: nothing when it is disabled or has no handler.
    void Click();
    std::function<void()> OnClick;

    QAction* Action() const { return action_; }
    QMenu* Submenu();

private:
    QAction* action_;
    QMenu* submenu_ = nullptr;
    QList<TMenuItem*> items_;
    QString caption_;
    QString hint_;
    int tag_ = 0;
};
