// Replays every input that made the language-file fuzz target fail (kept in
// tests/fixtures/language_fuzz_regressions/ by fuzz/run_fuzz_language.sh) through the same checks.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "fuzz/language_file_fuzz_input.h"

TEST(LanguageFuzzRegressions, EveryKeptInputPassesTheFuzzChecks) {
    const QDir folder(QStringLiteral(PW_TEST_DATA_DIR "/language_fuzz_regressions"));
    int replayed = 0;
    for (const QString& name : folder.entryList(QDir::Files)) {
        if (name.endsWith(QLatin1String(".md")))
            continue;
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const char* fault = pw::fuzz::CheckLanguageFileInput(file.readAll());
        EXPECT_EQ(fault, nullptr) << name.toStdString() << ": " << fault;
        ++replayed;
    }
    std::printf("replayed %d inputs\n", replayed);
}
