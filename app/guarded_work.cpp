#include "app/guarded_work.h"

#include <new>

#include <QDir>

#include "app/progress_window.h"
#include "widgets/platform.h"

bool RunGuarded(QWidget* parent, const GuardedWork& how, const std::function<void(pw::Gauge*)>& work) {
    BusyCursor busy;
    const bool progress = !how.progress_caption.isEmpty();
    if (progress)
        Form5->ShowProgress(how.progress_caption);
    QString error;
    try {
        work(progress ? Form5->LevelGauge() : nullptr);
    } catch (const std::bad_alloc&) {
        error = how.memory_error;
    }
    if (progress)
        Form5->Close();
    busy.Release();
    if (!error.isEmpty())
        CurrentPlatform().ShowError(parent, error);
    return error.isEmpty();
}

QString NamingTheFile(const QString& path, const QString& message) {
    return message.contains(path) ? message
                                  : QDir::toNativeSeparators(path) + QStringLiteral("\n\n") + message;
}
