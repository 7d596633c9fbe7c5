// Every window in every shipped language, drawn with the program's font: each caption fits its
// control, and no control overlaps another or reaches outside its parent.
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>

#include "app_fixture.h"
#include "localisation/language_window.h"
#include "localisation/languages.h"

namespace {

// The width a control's caption needs (accelerator ampersands aside); 0 for a control without one.
int CaptionWidth(const QWidget* control) {
    const auto text_width = [control](QString text) {
        return QFontMetrics(control->font()).horizontalAdvance(text.remove(QRegularExpression("&(?!&)")));
    };
    if (const auto* check = qobject_cast<const QCheckBox*>(control))
        return check->sizeHint().width();
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect inside = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return text_width(button->text()) + button->width() - inside.width();
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(control))
        return box->title().isEmpty() ? 0 : text_width(box->title()) + 16;
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return text_width(label->text());
    return 0;
}

void ExpectLaidOut(const QString& code, TForm* form) {
    form->show(); // lays the window out as the user sees it
    QCoreApplication::processEvents();
    QList<const QWidget*> controls;
    for (const QObject* component : form->Components()) {
        const auto* control = qobject_cast<const QWidget*>(component);
        if (control && !control->isHidden() && control->parentWidget())
            controls.append(control);
    }
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QWidget* control = controls[i];
        const std::string where =
            (code + ' ' + form->objectName() + '.' + control->objectName()).toStdString();
        EXPECT_LE(CaptionWidth(control), control->width()) << where;
        EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry())) << where << " is cut off";
        for (const QWidget* other : controls.mid(i + 1)) {
            if (other->parentWidget() == control->parentWidget()) {
                EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                    << where << " overlaps " << other->objectName().toStdString();
            }
        }
    }
    form->hide();
}

class WindowLayoutTest : public AppTest {};

} // namespace

TEST_F(WindowLayoutTest, EveryCaptionFitsAndNoControlsOverlapInEveryLanguage) {
    for (const TLanguage& language : Languages()) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(PW_LANGUAGE_FILES_DIR "/pagewright_%1.lng").arg(language.Code),
                                LanguageFileName(language.Code)));
        Localisation->ComboBoxLanguage->SetItemIndex(LanguageIndexOf(language.LangId));
        Localisation->cbLanguageChange();
        ASSERT_EQ(Localisation->CurrentLangId, language.LangId);
        for (TForm* form : TForm::Forms())
            ExpectLaidOut(language.Code, form);
        Localisation->OpenEditor(); // the language window's second face
        ExpectLaidOut(language.Code, Localisation);
    }
}
