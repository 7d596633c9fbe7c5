// TFormInfo: the translation record of one window: its caption and the flat list of the records of the
// components it owns, at any depth.
#pragma once

#include <QList>

#include "localisation/comp_info.h"

class TForm;

class TFormInfo : public TCompInfo {
public:
    explicit TFormInfo(TFormList* list);
    ~TFormInfo() override;

    // Only forms bind; binding to none also unbinds every component record.
    void Bind(QObject* control) override;
    bool Collect() override;

    TForm* BoundForm() const;
    // A new component record at the end of Components, bound to `control` (may be none).
    TCompInfo* AddComponent(QObject* control);
    // The first component record named exactly `name`, or none.
    TCompInfo* FindComponent(const QString& name) const;
    // Destroys one component record.
    void RemoveComponent(TCompInfo* record);

    TFormList* FormList;
    QList<TCompInfo*> Components;
};
