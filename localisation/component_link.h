// Components translated together: a component whose Tag is the reference of another component of the
// same window takes its exclusion mask from it when collected and receives its texts when it is
// applied. References are numbers above 1024 handed out per component, since a Tag cannot hold an
// address.
#pragma once

class QObject;
class TForm;

// The reference of `component`, handed out on first use.
int ComponentReference(QObject* component);
// The component that `form` owns whose reference is `tag`, or none.
QObject* LinkedComponent(const TForm* form, int tag);
// The component's published Tag; 0 when it has none.
int ComponentTag(const QObject* component);
