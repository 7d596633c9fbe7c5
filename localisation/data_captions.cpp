#include "localisation/data_captions.h"

#include <QHash>
#include <QMetaProperty>
#include <QPointer>

#include "localisation/property_walk.h"
#include "widgets/published_properties.h"
#include "widgets/t_form.h"

namespace {

struct DataCaption {
    QPointer<QObject> control;
    QMetaProperty property;
    QString text;     // what it shows without data (translated as translations are applied)
    QString original; // the text it was declared with, which the window may show again itself
    QString shown;    // what it showed when the scope began
};

struct FormCaptions {
    QList<DataCaption> captions;
    int depth = 0;
};

QHash<const TForm*, FormCaptions>& Registry() {
    static QHash<const TForm*, FormCaptions> registry;
    return registry;
}

QMetaProperty CaptionProperty(const QObject* control) {
    for (const QMetaProperty& property : PublishedStringProperties(control->metaObject())) {
        if (IsCaptionProperty(property.name()))
            return property;
    }
    return {};
}

} // namespace

void DeclareDataCaptions(TForm* form, const QList<QObject*>& controls) {
    if (!Registry().contains(form))
        QObject::connect(form, &QObject::destroyed, [form] { Registry().remove(form); });
    FormCaptions& entry = Registry()[form];
    for (QObject* control : controls) {
        const QMetaProperty property = CaptionProperty(control);
        if (property.isValid()) {
            const QString text = property.read(control).toString();
            entry.captions.append({control, property, text, text, {}});
        }
    }
}

DataCaptionScope::DataCaptionScope(const TForm* form) : form_(form) {
    const auto found = Registry().find(form);
    if (found == Registry().end() || found->depth++ > 0)
        return;
    outermost_ = true;
    for (DataCaption& caption : found->captions) {
        if (!caption.control)
            continue;
        caption.shown = caption.property.read(caption.control).toString();
        caption.property.write(caption.control, caption.text);
    }
}

DataCaptionScope::~DataCaptionScope() {
    const auto found = Registry().find(form_);
    if (found == Registry().end())
        return;
    --found->depth;
    if (!outermost_)
        return;
    for (DataCaption& caption : found->captions) {
        if (!caption.control)
            continue;
        const bool showed_data = caption.shown != caption.text && caption.shown != caption.original;
        caption.text = caption.property.read(caption.control).toString();
        if (showed_data)
            caption.property.write(caption.control, caption.shown);
    }
}

QString DataCaptionText(const QObject* control) {
    for (const FormCaptions& form : std::as_const(Registry())) {
        for (const DataCaption& caption : form.captions) {
            if (caption.control == control)
                return caption.text;
        }
    }
    return {};
}
