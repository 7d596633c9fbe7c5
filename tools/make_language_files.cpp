// pagewright-make-languages SOURCE.tsv FOLDER BASE: makes the shipped language files from the
// translators' source, as the program's editor saves them. It starts the program's windows off screen,
// registers them as the language window does, gives every text of the source its translation and writes
// FOLDER/BASE_<code>.lng for each of the nine languages, and BASE_def.lng as a copy of English (US), the
// language a fresh install starts in.
//
// A text the source leaves empty keeps the English (US) one and stays marked untranslated (a red bullet
// in the editor). Texts the windows show but the source doesn't list (run-time data) are left out.
#include <cstdio>
#include <map>
#include <tuple>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/startup.h"
#include "localisation/form_list.h"
#include "localisation/languages.h"
#include "widgets/executable_path.h"
#include "widgets/platform.h"

namespace {

constexpr int kFormColumn = 0;
constexpr int kComponentColumn = 1;
constexpr int kSlotColumn = 2;
constexpr int kEnglishColumn = 3;
constexpr int kColumns = 12;

struct Source {
    QStringList codes; // column codes, from kEnglishColumn on
    std::vector<QStringList> rows;
};

void Fail(const QString& message) {
    std::fprintf(stderr, "pagewright-make-languages: %s\n", qPrintable(message));
    std::exit(1);
}

Source ReadSource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("cannot read %1").arg(path));
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    Source source;
    const QStringList header = in.readLine().split(QLatin1Char('\t'));
    if (header.size() != kColumns)
        Fail(QStringLiteral("%1: the header must have %2 columns").arg(path).arg(kColumns));
    source.codes = header.mid(kEnglishColumn);
    for (int line = 2; !in.atEnd(); ++line) {
        const QString text = in.readLine();
        if (text.trimmed().isEmpty())
            continue;
        QStringList row = text.split(QLatin1Char('\t'));
        if (row.size() != kColumns)
            Fail(QStringLiteral("%1:%2: %3 columns instead of %4")
                     .arg(path)
                     .arg(line)
                     .arg(row.size())
                     .arg(kColumns));
        source.rows.push_back(row);
    }
    return source;
}

// Slot numbers of a source row's property: Caption, Hint (short and long part) or Items[i].
QList<int> SlotsOf(const QString& property) {
    if (property == QLatin1String("Caption"))
        return {SlotCaption};
    if (property == QLatin1String("Hint"))
        return {SlotShortHint, SlotLongHint};
    if (property.startsWith(QLatin1String("Items[")) && property.endsWith(QLatin1Char(']'))) {
        bool ok = false;
        const int index = property.mid(6).chopped(1).toInt(&ok);
        if (ok && index >= 0)
            return {index};
    }
    return {};
}

// The class of a component the windows don't have (yet), from its name.
QString GuessedClass(const QString& name) {
    static const QStringList kinds{"GroupBox", "ListBox", "ComboBox", "CheckBox", "SpinEdit",
                                   "Button",   "Label",   "Edit",     "Image"};
    for (const QString& kind : kinds) {
        if (name.startsWith(kind))
            return QLatin1Char('T') + kind;
    }
    return QStringLiteral("TComponent");
}

using SlotKey = std::tuple<QString, QString, int>;

std::map<SlotKey, const QStringList*> RowsBySlot(const Source& source) {
    std::map<SlotKey, const QStringList*> slot_rows;
    for (const QStringList& row : source.rows) {
        const QList<int> numbers = SlotsOf(row[kSlotColumn]);
        if (numbers.isEmpty())
            Fail(QStringLiteral("unknown property %1").arg(row[kSlotColumn]));
        for (int slot : numbers)
            slot_rows[{row[kFormColumn], row[kComponentColumn], slot}] = &row;
    }
    return slot_rows;
}

// Drops the texts of the windows that the source doesn't list: data shown at run time.
void KeepOnlySourceTexts(TFormList& store, const std::map<SlotKey, const QStringList*>& slot_rows) {
    for (TFormInfo* form : std::as_const(store.Forms)) {
        QList<TCompInfo*> records{form};
        records.append(form->Components);
        for (TCompInfo* record : std::as_const(records)) {
            const auto listed = [&](int slot) {
                return slot_rows.count({form->ClassName, record->Name, slot}) > 0;
            };
            for (int slot = SlotLongHint; slot <= SlotCaption; ++slot) {
                if (!listed(slot))
                    record->SetSlotText(slot, QString(), false);
            }
            if (record->ItemCount() > 0 && !listed(0)) {
                for (int slot = 0; slot < record->ItemCount(); ++slot)
                    record->SetSlotText(slot, QString(), false);
                record->ItemSlots.clear();
            }
        }
    }
}

TCompInfo* RecordOf(TFormList& store, const QStringList& row) {
    TFormInfo* form = store.FindFormClass(row[kFormColumn]);
    if (!form)
        Fail(QStringLiteral("the program has no window %1").arg(row[kFormColumn]));
    if (row[kComponentColumn] == form->Name)
        return form;
    if (TCompInfo* record = form->FindComponent(row[kComponentColumn]))
        return record;
    TCompInfo* record = form->AddComponent(nullptr);
    record->Name = row[kComponentColumn];
    record->ClassName = GuessedClass(record->Name);
    return record;
}

void StoreRow(TFormList& store, const QStringList& row, int column) {
    const bool translated = !row[column].isEmpty();
    const QString text = translated ? row[column] : row[kEnglishColumn];
    TCompInfo* record = RecordOf(store, row);
    const QList<int> numbers = SlotsOf(row[kSlotColumn]);
    if (numbers.first() == SlotShortHint) {
        const QString short_hint = text.section(QLatin1Char('|'), 0, 0);
        const QString long_hint =
            text.contains(QLatin1Char('|')) ? text.section(QLatin1Char('|'), 1) : QString();
        record->StoreSlotText(SlotShortHint, short_hint, false, false);
        record->StoreSlotText(SlotLongHint, long_hint == short_hint ? QString() : long_hint, false, false);
    } else {
        record->StoreSlotText(numbers.first(), text, true, false);
    }
    for (int slot : numbers)
        record->SetNew(slot, !translated);
}

void WriteLanguage(const Source& source, const std::map<SlotKey, const QStringList*>& slot_rows, int column,
                   const QString& path) {
    const QString code = source.codes[column - kEnglishColumn];
    int index = -1;
    for (int i = 0; i < LanguageCount; ++i) {
        if (Languages()[static_cast<std::size_t>(i)].Code == code)
            index = i;
    }
    if (index < 0)
        Fail(QStringLiteral("unknown language column %1").arg(code));
    TFormList store;
    store.RegisterForms();
    KeepOnlySourceTexts(store, slot_rows);
    for (const QStringList& row : source.rows)
        StoreRow(store, row, column);
    store.LangId = Languages()[static_cast<std::size_t>(index)].LangId;
    if (!store.SaveToFile(path))
        Fail(QStringLiteral("cannot write %1: %2").arg(path, store.ErrorString()));
}

// The windows are never shown here: a message goes to the build's output and a question is declined,
// so that the build never waits on a dialog.
class BuildPlatform : public Platform {
public:
    void ShowMessage(QWidget*, const QString& text) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    void ShowError(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    QMessageBox::StandardButton Ask(QWidget*, const QString&, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton) override {
        return buttons & QMessageBox::Cancel ? QMessageBox::Cancel : QMessageBox::No;
    }
    std::optional<int> AskNumber(QWidget*, const QString&, const QString&, int, int, int) override {
        return std::nullopt;
    }
    std::optional<QString> OpenFileName(QWidget*, const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> SaveFileName(QWidget*, const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> FolderName(QWidget*, const FileDialogRequest&) override { return std::nullopt; }
    void SetBusyCursor(bool) override {}
    QString ClipboardText() override { return {}; }
    void SetClipboardText(const QString&) override {}
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Build machines often have no session: the windows get a runtime folder of their own rather than a
    // warning in the build's output.
    QTemporaryDir scratch;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(scratch.path()));
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: pagewright-make-languages SOURCE.tsv FOLDER BASE\n");
        return 64;
    }
    const Source source = ReadSource(arguments[1]);
    const QString folder = arguments[2] + QLatin1Char('/') + arguments[3] + QLatin1Char('_');

    // The windows start as on a first run: no language files, no settings, no dialogs. The readme window
    // finds an empty readme beside the program, so it has nothing to report.
    OverrideExecutablePath(scratch.path() + QStringLiteral("/pagewright"));
    qputenv("PAGEWRIGHT_CONFIG_DIR", QFile::encodeName(scratch.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/data")));
    if (QFile readme(scratch.filePath(QStringLiteral("readme.txt"))); !readme.open(QIODevice::WriteOnly))
        Fail(QStringLiteral("cannot write %1").arg(readme.fileName()));
    BuildPlatform quiet;
    InstallPlatform(&quiet);
    CreateApplicationForms();

    const auto slot_rows = RowsBySlot(source);
    for (int column = kEnglishColumn; column < kColumns; ++column)
        WriteLanguage(source, slot_rows, column, folder + source.codes[column - kEnglishColumn] + ".lng");
    QFile::remove(folder + QStringLiteral("def.lng"));
    if (!QFile::copy(folder + QStringLiteral("us.lng"), folder + QStringLiteral("def.lng")))
        Fail(QStringLiteral("cannot write %1def.lng").arg(folder));

    DestroyApplicationForms();
    InstallPlatform(nullptr);
    return 0;
}
