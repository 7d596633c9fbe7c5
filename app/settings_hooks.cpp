// The settings store (window placement, language, recent files) is not part of this build yet. These
// are the points where it plugs in; each does nothing until then.
#include "app/main_window.h"

void TForm1::LoadSettings() {}

void TForm1::SaveSettings() {}

void TForm1::AddRecentFile(const QString& path) {
    (void)path;
}
