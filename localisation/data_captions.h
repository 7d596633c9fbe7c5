// Captions that show run-time data between translations: a window caption holding the open file's
// path, a label holding a file name or a colour. A window declares them once, while they still show
// their own texts. Collecting then reads those texts instead of the data, and applying a translation
// keeps showing the data: the translated text is remembered and comes back when the window shows it.
#pragma once

#include <QList>
#include <QString>

class QObject;
class TForm;

void DeclareDataCaptions(TForm* form, const QList<QObject*>& controls);
// The text a declared control shows without data, in the current language; empty for other controls.
// Showing the declared (untranslated) text again also counts as showing no data.
QString DataCaptionText(const QObject* control);

// For the lifetime of the object the declared captions of `form` show their texts; afterwards each
// shows again the data it showed before, or its text (translated meanwhile) when it showed no data.
class DataCaptionScope {
public:
    explicit DataCaptionScope(const TForm* form);
    ~DataCaptionScope();
    DataCaptionScope(const DataCaptionScope&) = delete;
    DataCaptionScope& operator=(const DataCaptionScope&) = delete;

private:
    const TForm* form_;
    bool outermost_ = false;
};
