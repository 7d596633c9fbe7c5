// TMainMenu: the menu bar of a window; its top entries are TMenuItems holding the submenus.
#pragma once

#include <QList>
#include <QObject>

class QMenuBar;
class TForm;
class TMenuItem;

class TMainMenu : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TMainMenu(TForm* owner, const QString& name);

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    void Add(TMenuItem* item);
    const QList<TMenuItem*>& Items() const { return items_; }
    QMenuBar* Bar() const { return bar_; }

private:
    QMenuBar* bar_;
    QList<TMenuItem*> items_;
    int tag_ = 0;
};
