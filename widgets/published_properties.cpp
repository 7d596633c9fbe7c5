#include "widgets/published_properties.h"

#include <algorithm>

namespace {

// Our control classes mark themselves with the class info "Layer" = "widgets".
bool DeclaresLayer(const QMetaObject* meta) {
    for (int i = meta->classInfoOffset(); i < meta->classInfoCount(); ++i) {
        if (qstrcmp(meta->classInfo(i).name(), "Layer") == 0)
            return true;
    }
    return false;
}

// The property offset of the topmost of our classes in the ancestry; no properties when there is none.
int FirstPublishedIndex(const QMetaObject* meta) {
    int first = meta->propertyCount();
    for (const QMetaObject* m = meta; m; m = m->superClass()) {
        if (DeclaresLayer(m))
            first = m->propertyOffset();
    }
    return first;
}

QList<QMetaProperty> Filtered(const QMetaObject* meta, bool (*keep)(const QMetaProperty&)) {
    QList<QMetaProperty> properties;
    for (int i = FirstPublishedIndex(meta); i < meta->propertyCount(); ++i) {
        if (keep(meta->property(i)))
            properties.append(meta->property(i));
    }
    std::stable_sort(
        properties.begin(), properties.end(), [](const QMetaProperty& a, const QMetaProperty& b) {
            return QString::fromLatin1(a.name()).compare(QLatin1String(b.name()), Qt::CaseInsensitive) < 0;
        });
    return properties;
}

} // namespace

QList<QMetaProperty> PublishedProperties(const QMetaObject* meta) {
    return Filtered(meta, [](const QMetaProperty&) { return true; });
}

QList<QMetaProperty> PublishedStringProperties(const QMetaObject* meta) {
    return Filtered(meta, [](const QMetaProperty& p) { return p.metaType().id() == QMetaType::QString; });
}

QList<QMetaProperty> PublishedObjectProperties(const QMetaObject* meta) {
    return Filtered(meta, [](const QMetaProperty& p) {
        return p.metaType().flags().testFlag(QMetaType::PointerToQObject);
    });
}
