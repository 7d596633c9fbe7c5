#include "localisation/component_link.h"

#include <QHash>
#include <QMetaProperty>
#include <QPointer>

#include "widgets/t_form.h"

namespace {

constexpr int kFirstReference = 1025;

struct References {
    QHash<const QObject*, int> by_component;
    QHash<int, QPointer<QObject>> by_reference;
    int next = kFirstReference;
};

References& AllReferences() {
    static References references;
    return references;
}

} // namespace

int ComponentReference(QObject* component) {
    References& references = AllReferences();
    const auto found = references.by_component.constFind(component);
    if (found != references.by_component.constEnd())
        return *found;
    const int reference = references.next++;
    references.by_component.insert(component, reference);
    references.by_reference.insert(reference, component);
    QObject::connect(component, &QObject::destroyed, [component, reference] {
        AllReferences().by_component.remove(component);
        AllReferences().by_reference.remove(reference);
    });
    return reference;
}

QObject* LinkedComponent(const TForm* form, int tag) {
    if (!form || tag < kFirstReference)
        return nullptr;
    QObject* component = AllReferences().by_reference.value(tag);
    return component && form->Components().contains(component) ? component : nullptr;
}

int ComponentTag(const QObject* component) {
    const QMetaObject* meta = component->metaObject();
    const int index = meta->indexOfProperty("Tag");
    return index >= 0 ? meta->property(index).read(component).toInt() : 0;
}
