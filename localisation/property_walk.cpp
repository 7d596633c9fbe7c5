#include "localisation/property_walk.h"

#include <QMetaProperty>

#include "localisation/comp_info.h"
#include "localisation/component_link.h"
#include "localisation/form_info.h"
#include "localisation/item_string.h"
#include "localisation/number_text.h"
#include "widgets/published_properties.h"
#include "widgets/t_collection.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_list_box.h"
#include "widgets/t_strings.h"
#include "widgets/t_tree_nodes.h"

namespace {

// Negative Tags are masks of what is not translated.
constexpr int kNoCaption = 1;
constexpr int kNoHints = 2;
constexpr int kNoItems = 4;
// Sub-objects are searched for a caption this deep below the component.
constexpr int kMaxDepth = 3;

bool Excludes(int tag, int bit) {
    return tag < 0 && ((-static_cast<qint64>(tag)) & bit) != 0;
}

bool IsHintProperty(const char* name) {
    return qstricmp(name, "Hint") == 0;
}

// Components (everything with a Tag) are registered on their own, never as part of another.
bool IsComponent(const QObject* object) {
    return object->metaObject()->indexOfProperty("Tag") >= 0;
}

class PropertyWalk {
public:
    PropertyWalk(TCompInfo& record, TWalkMode mode, int tag) : record_(record), mode_(mode) {
        caption_ = !Excludes(tag, kNoCaption);
        hints_ = !Excludes(tag, kNoHints);
        items_ = !Excludes(tag, kNoItems);
        if (mode == TWalkMode::Apply) {
            caption_ = caption_ && !record.GetSlotText(SlotCaption).isEmpty();
            hints_ = hints_ && !ComposedHint().isEmpty();
            items_ = items_ && record.ItemCount() > 0;
        }
    }

    bool Walk(QObject* object);

private:
    bool Collecting() const { return mode_ == TWalkMode::Collect; }
    bool StillWanted() const { return caption_ || (hints_ && depth_ == 1) || items_; }
    QString ComposedHint() const;

    bool VisitCaption(QObject* object, const QMetaProperty& property);
    bool VisitHint(QObject* object, const QMetaProperty& property);
    bool VisitObject(QObject* value);
    bool VisitStrings(TStrings* strings);
    bool VisitTreeNodes(TTreeNodes* nodes);
    bool VisitCollection(TCollection* collection);
    // In apply mode, the number of entries to write: none unless the list has as many as the record.
    int ListCount(int count) const;

    TCompInfo& record_;
    TWalkMode mode_;
    bool caption_ = true;
    bool hints_ = true;
    bool items_ = true;
    int depth_ = 0;
};

QString PropertyWalk::ComposedHint() const {
    QString hint = record_.GetSlotText(SlotShortHint);
    const QString long_hint = record_.GetSlotText(SlotLongHint);
    if (!long_hint.isEmpty())
        hint += QLatin1Char('|') + long_hint;
    return hint.left(MaxTextLength);
}

bool PropertyWalk::VisitCaption(QObject* object, const QMetaProperty& property) {
    caption_ = false;
    if (!Collecting()) {
        property.write(object, record_.GetSlotText(SlotCaption));
        return true;
    }
    const QString value = property.read(object).toString();
    if (value.isEmpty() || value == QLatin1String("-") || IsNumberText(value))
        return false;
    record_.CollectSlotText(SlotCaption, value, true);
    return true;
}

bool PropertyWalk::VisitHint(QObject* object, const QMetaProperty& property) {
    hints_ = false;
    if (!Collecting()) {
        property.write(object, ComposedHint());
        return true;
    }
    const QString value = property.read(object).toString();
    const qsizetype bar = value.indexOf(QLatin1Char('|'));
    const QString short_hint = bar < 0 ? value : value.left(bar);
    const QString long_hint = bar < 0 ? QString() : value.mid(bar + 1);
    record_.CollectSlotText(SlotShortHint, short_hint, false);
    record_.CollectSlotText(SlotLongHint, long_hint != short_hint ? long_hint : QString(), false);
    return !value.isEmpty();
}

int PropertyWalk::ListCount(int count) const {
    return Collecting() || count == record_.ItemCount() ? count : 0;
}

bool PropertyWalk::VisitStrings(TStrings* strings) {
    items_ = false;
    const int count = ListCount(strings->Count());
    if (count < 1)
        return false;
    if (Collecting()) {
        for (int i = 0; i < count; ++i)
            record_.CollectSlotText(i, strings->Strings(i), true);
        return true;
    }
    strings->BeginUpdate();
    for (int i = 0; i < count; ++i)
        strings->SetStrings(i, record_.GetSlotText(i));
    strings->EndUpdate();
    return true;
}

bool PropertyWalk::VisitTreeNodes(TTreeNodes* nodes) {
    items_ = false;
    const int count = ListCount(nodes->Count());
    for (int i = 0; i < count; ++i) {
        if (Collecting())
            record_.CollectSlotText(i, nodes->Text(i), true);
        else
            nodes->SetText(i, record_.GetSlotText(i));
    }
    return count >= 1;
}

// Each item's text is the string property at the position where item 0 has its caption property.
bool PropertyWalk::VisitCollection(TCollection* collection) {
    const int count = ListCount(collection->Count());
    if (count < 1 || !collection->Item(0)) {
        items_ = false;
        return false;
    }
    const QList<QMetaProperty> first = PublishedStringProperties(collection->Item(0)->metaObject());
    qsizetype position = -1;
    for (qsizetype p = 0; p < first.size() && position < 0; ++p) {
        if (IsCaptionProperty(first[p].name()))
            position = p;
    }
    if (position < 0)
        return false;
    items_ = false;
    for (int i = 0; i < count; ++i) {
        QObject* item = collection->Item(i);
        if (!item)
            continue;
        const QList<QMetaProperty> properties = PublishedStringProperties(item->metaObject());
        if (position >= properties.size())
            continue;
        if (Collecting())
            record_.CollectSlotText(i, properties[position].read(item).toString(), true);
        else
            properties[position].write(item, record_.GetSlotText(i));
    }
    return true;
}

bool PropertyWalk::VisitObject(QObject* value) {
    if (items_) {
        if (auto* strings = qobject_cast<TStrings*>(value))
            return VisitStrings(strings);
        if (auto* nodes = qobject_cast<TTreeNodes*>(value))
            return VisitTreeNodes(nodes);
        if (auto* collection = qobject_cast<TCollection*>(value))
            return VisitCollection(collection);
    }
    if (caption_ && depth_ < kMaxDepth && !IsComponent(value))
        return Walk(value);
    return false;
}

bool PropertyWalk::Walk(QObject* object) {
    ++depth_;
    bool result = false;
    const bool strings_wanted = caption_ || (hints_ && depth_ == 1);
    const bool objects_wanted = caption_ || items_;
    if (strings_wanted || objects_wanted) {
        const QList<QMetaProperty> properties = PublishedProperties(object->metaObject());
        for (const QMetaProperty& property : properties) {
            if (!StillWanted())
                break;
            if (property.metaType().id() == QMetaType::QString) {
                if (caption_ && IsCaptionProperty(property.name()))
                    result = VisitCaption(object, property) || result;
                else if (hints_ && depth_ == 1 && IsHintProperty(property.name()))
                    result = VisitHint(object, property) || result;
            } else if (property.metaType().flags().testFlag(QMetaType::PointerToQObject)) {
                if (QObject* value = property.read(object).value<QObject*>())
                    result = VisitObject(value) || result;
            }
        }
    }
    --depth_;
    return result;
}

int WalkTag(const TCompInfo& record, QObject* component, TWalkMode mode) {
    int tag = ComponentTag(component);
    if (mode == TWalkMode::Collect && tag > 1024 && record.Form) {
        if (QObject* linked = LinkedComponent(record.Form->BoundForm(), tag))
            tag = ComponentTag(linked);
    }
    return tag;
}

} // namespace

bool IsCaptionProperty(const char* name) {
    return qstricmp(name, "Caption") == 0 || QByteArray(name).contains("Text");
}

bool CollectComponent(TCompInfo& record, QObject* component) {
    return PropertyWalk(record, TWalkMode::Collect, WalkTag(record, component, TWalkMode::Collect))
        .Walk(component);
}

bool ApplyComponent(TCompInfo& record, QObject* component) {
    PropertyWalk walk(record, TWalkMode::Apply, WalkTag(record, component, TWalkMode::Apply));
    if (auto* combo = qobject_cast<TComboBox*>(component)) {
        auto handler = std::move(combo->OnChange);
        combo->OnChange = nullptr;
        const int index = combo->ItemIndex();
        const bool result = walk.Walk(component);
        combo->SetItemIndex(index);
        combo->OnChange = std::move(handler);
        return result;
    }
    if (auto* list = qobject_cast<TListBox*>(component)) {
        const int index = list->ItemIndex();
        const bool result = walk.Walk(component);
        list->SetItemIndex(index);
        return result;
    }
    return walk.Walk(component);
}
