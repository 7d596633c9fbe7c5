// TCollection: a list of items that a control publishes as an object property; each item is an object
// whose published string properties hold its texts.
#pragma once

#include <QObject>

class TCollectionItem : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")

public:
    using QObject::QObject;
};

class TCollection : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Layer", "widgets")

public:
    using QObject::QObject;

    virtual int Count() const = 0;
    virtual QObject* Item(int index) const = 0;
};
