// What every control does when it is created: take its component name and join its form's list.
#pragma once

#include <QString>

class QObject;
class QWidget;
class TForm;

void SetUpComponent(QObject* component, TForm* owner, const QString& name);

// The tool tip that a hint shows: its short part, before the first "|".
void ShowHint(QWidget* control, const QString& hint);
