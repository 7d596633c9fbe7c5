#include "widgets/t_list_box.h"

#include <QMouseEvent>
#include <QSignalBlocker>

#include "widgets/component_setup.h"
#include "widgets/t_form.h"

namespace {

// The lines of a list box, kept in the list widget itself.
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(QListWidget* list) : TStrings(list), list_(list) {}

    int Count() const override { return list_->count(); }
    QString Strings(int index) const override {
        const QListWidgetItem* line = list_->item(index);
        return line ? line->text() : QString();
    }
    void SetStrings(int index, const QString& text) override {
        if (QListWidgetItem* line = list_->item(index))
            line->setText(text);
    }
    void Insert(int index, const QString& text) override {
        const QSignalBlocker blocker(list_);
        list_->insertItem(qBound(0, index, Count()), text);
    }
    void Delete(int index) override {
        const QSignalBlocker blocker(list_);
        delete list_->takeItem(index);
    }
    void Clear() override {
        const QSignalBlocker blocker(list_);
        list_->clear();
    }

protected:
    void UpdatingChanged(bool updating) override { list_->setUpdatesEnabled(!updating); }

private:
    QListWidget* list_;
};

} // namespace

TListBox::TListBox(TForm* owner, QWidget* parent, const QString& name)
    : QListWidget(parent), items_(new TListBoxStrings(this)) {
    SetUpComponent(this, owner, name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (OnClick)
            OnClick();
    });
}

void TListBox::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}

// A press on the selected line changes no row, so the row signal stays silent: run OnClick here.
void TListBox::mousePressEvent(QMouseEvent* event) {
    const int before = currentRow();
    QListWidget::mousePressEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (OnClick && at.isValid() && at.row() == before && currentRow() == before)
        OnClick();
}

void TListBox::SetItemIndex(int index) {
    const QSignalBlocker blocker(this);
    setCurrentRow(index);
}

// Not a child of the window's widgets, so that screen readers never meet it among the window's lists;
// it lives as long as its owner.
TListBox* HiddenTextList(TForm* owner, const QString& name, const QStringList& items) {
    auto* list = new TListBox(owner, nullptr, name);
    list->Items()->Assign(items);
    QObject::connect(owner, &QObject::destroyed, [list] { delete list; });
    return list;
}
