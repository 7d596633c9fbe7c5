#include "widgets/t_combo_box.h"

#include <QSignalBlocker>

#include "widgets/component_setup.h"

namespace {

// The items of a combo box, kept in the box itself.
class TComboBoxStrings : public TStrings {
public:
    explicit TComboBoxStrings(QComboBox* box) : TStrings(box), box_(box) {}

    int Count() const override { return box_->count(); }
    QString Strings(int index) const override { return box_->itemText(index); }
    void SetStrings(int index, const QString& text) override { box_->setItemText(index, text); }
    void Insert(int index, const QString& text) override {
        const QSignalBlocker blocker(box_);
        box_->insertItem(qBound(0, index, Count()), text);
    }
    void Delete(int index) override {
        const QSignalBlocker blocker(box_);
        box_->removeItem(index);
    }
    void Clear() override {
        const QSignalBlocker blocker(box_);
        box_->clear();
    }

protected:
    void UpdatingChanged(bool updating) override { box_->setUpdatesEnabled(!updating); }

private:
    QComboBox* box_;
};

} // namespace

TComboBox::TComboBox(TForm* owner, QWidget* parent, const QString& name)
    : QComboBox(parent), items_(new TComboBoxStrings(this)) {
    SetUpComponent(this, owner, name);
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this] {
        if (OnChange)
            OnChange();
    });
}

void TComboBox::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}

void TComboBox::SetText(const QString& text) {
    SetItemIndex(findText(text));
}

void TComboBox::SetItemIndex(int index) {
    const QSignalBlocker blocker(this);
    setCurrentIndex(index);
}
