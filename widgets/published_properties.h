// The properties that the windows publish: those declared by our own control classes, from the first
// of them in a class's ancestry down, never Qt's own. This is what the translation of the windows walks.
#pragma once

#include <QList>
#include <QMetaProperty>

// Sorted by name: letters compared without regard to case, a shorter name first when it starts the
// longer one.
QList<QMetaProperty> PublishedProperties(const QMetaObject* meta);
QList<QMetaProperty> PublishedStringProperties(const QMetaObject* meta);
QList<QMetaProperty> PublishedObjectProperties(const QMetaObject* meta);
