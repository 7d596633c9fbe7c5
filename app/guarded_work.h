// The one way the windows run work on files: the busy cursor, the progress window while a level is read
// or written, and a box instead of leaving the handler when memory runs out. The work reports every
// other failure as a Result, which the caller shows.
#pragma once

#include <functional>

#include <QString>

#include "level/gauge.h"

class QWidget;

struct GuardedWork {
    QString progress_caption; // the progress window's caption; empty: no progress window
    QString memory_error;     // the box's text when memory runs out
};

// Runs `work`, handing it the progress window's gauge (null without the window). Returns false when
// memory ran out; that has then been shown, the progress window closed and the cursor restored.
bool RunGuarded(QWidget* parent, const GuardedWork& how, const std::function<void(pw::Gauge*)>& work);

// The error text of open and source-open: the box names the file, whether or not the message does.
QString NamingTheFile(const QString& path, const QString& message);
