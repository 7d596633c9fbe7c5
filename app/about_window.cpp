#include "app/about_window.h"

#include <algorithm>

#include "app/about_picture.h"

TForm2* Form2 = nullptr;

namespace {

constexpr int kClientWidth = 426;

TLabel* CentredLabel(TForm* form, const QString& name, int top, const QString& caption) {
    auto* label = new TLabel(form, form->Client(), name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->SetCaption(caption);
    label->move(0, top);
    return label;
}

TLabel* CreditLabel(TForm* form, const QString& name, int left, int top, const QString& caption, bool blue) {
    auto* label = new TLabel(form, form->Client(), name);
    if (blue) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::blue);
        label->setPalette(palette);
    }
    label->move(left, top);
    label->SetCaption(caption);
    return label;
}

} // namespace

TForm2::TForm2() : TForm(QStringLiteral("Form2")) {
    SetCaption(QStringLiteral("About Pagewright"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    SetBounds(169, 17, 434, 506);
    CreateTitle();
    CreateCredits();
    ArrangeTexts();
    FormCreate();
}

void TForm2::CreateTitle() {
    Label1 = CentredLabel(this, QStringLiteral("Label1"), 8,
                          QStringLiteral("Pagewright - texture pages of TR levels"));
    Label2 = CentredLabel(this, QStringLiteral("Label2"), 28, QStringLiteral("Made in many places, 2025"));
    Image1 = new TImage(this, Client(), QStringLiteral("Image1"));
    Image1->setGeometry(12, 52, 401, 329);
    Image1->SetStretch(true);
    Image1->SetPicture(AboutPicture());
}

void TForm2::CreateCredits() {
    Label3 =
        CreditLabel(this, QStringLiteral("Label3"), 16, 394, QStringLiteral("Main Programming by"), false);
    Label4 = CreditLabel(this, QStringLiteral("Label4"), 168, 394,
                         QStringLiteral("Pagewright team <team@example.org>"), true);
    Label5 = CreditLabel(this, QStringLiteral("Label5"), 16, 416, QStringLiteral("Aditional programming by"),
                         false);
    Label6 = CreditLabel(this, QStringLiteral("Label6"), 168, 416,
                         QStringLiteral("Contributors <contrib@example.org>"), true);
    Button1 = new TButton(this, Client(), QStringLiteral("Button1"));
    Button1->setGeometry(155, 444, 75, 25);
    Button1->SetCaption(QStringLiteral("OK"));
    Button1->OnClick = [this] { Button1Click(); };
}

void TForm2::ArrangeTexts() {
    for (TLabel* label : {Label1, Label2, Label3, Label4, Label5, Label6})
        label->adjustSize();
    constexpr int kNamesLeft = 168;
    constexpr int kGap = 8;
    const int names =
        std::max(kNamesLeft, std::max(Label3->geometry().right(), Label5->geometry().right()) + kGap);
    Label4->move(names, Label4->y());
    Label6->move(names, Label6->y());
    const int width = std::max({kClientWidth, Label1->width() + 2 * kGap, Label2->width() + 2 * kGap,
                                Label4->geometry().right() + kGap, Label6->geometry().right() + kGap});
    resize(width, height());
    Client()->resize(width, Client()->height());
    const int shift = (width - kClientWidth) / 2;
    Image1->move(12 + shift, Image1->y());
    Button1->move(155 + shift, Button1->y());
    Label1->move((width - Label1->width()) / 2, Label1->y());
    Label2->move((width - Label2->width()) / 2, Label2->y());
}

void TForm2::showEvent(QShowEvent* event) {
    ArrangeTexts();
    TForm::showEvent(event);
}

void TForm2::Button1Click() {
    Close();
}
