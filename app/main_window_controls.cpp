// The controls of the main window, placed as its layout gives them.
#include "app/main_window.h"

#include <algorithm>

#include <QEvent>

#include "app/reason_texts.h"

namespace {

// Keeps one label just right of another whatever width its caption (or a translation) gives it.
class StayRightOf : public QObject {
public:
    StayRightOf(QWidget* anchor, QWidget* follower, int min_left)
        : QObject(follower), anchor_(anchor), follower_(follower), min_left_(min_left) {
        anchor->installEventFilter(this);
        Place();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
            Place();
        return false;
    }

private:
    void Place() { follower_->move(qMax(min_left_, anchor_->geometry().right() + 4), follower_->y()); }

    QWidget* anchor_;
    QWidget* follower_;
    int min_left_;
};

QFont BoldFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

void PlaceLabel(TLabel* label, int left, int top, const QString& caption) {
    label->move(left, top);
    label->SetCaption(caption);
}

} // namespace

void TForm1::CreateControls() {
    const QFont title_font = BoldFont(QStringLiteral("MS Sans Serif"), 15);

    Label1 = new TLabel(this, Client(), QStringLiteral("Label1"));
    Label2 = new TLabel(this, Client(), QStringLiteral("Label2"));
    Label3 = new TLabel(this, Client(), QStringLiteral("Label3"));
    Label4 = new TLabel(this, Client(), QStringLiteral("Label4"));
    for (TLabel* label : {Label1, Label2, Label3, Label4})
        label->setFont(title_font);
    PlaceLabel(Label1, 113, 14, QStringLiteral("LEVEL FILE"));
    PlaceLabel(Label2, 451, 14, QStringLiteral("IMAGE FILE"));
    PlaceLabel(Label3, 84, 60, QStringLiteral("None"));
    PlaceLabel(Label4, 417, 58, QStringLiteral("None"));
    // A tall font would reach into the page boxes below (at 74 and 73): the file names move up.
    Label3->move(Label3->x(), std::min(Label3->y(), 74 - Label3->height()));
    Label4->move(Label4->x(), std::min(Label4->y(), 73 - Label4->height()));

    ComboBox1 = new TComboBox(this, Client(), QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(128, 34, 73, 21);
    ComboBox1->OnChange = [this] { ComboBox1Change(); };

    GroupBox1 = new TGroupBox(this, Client(), QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(13, 74, 276, 279);
    GroupBox1->SetCaption(QStringLiteral("Page:"));
    Image1 = new TImage(this, GroupBox1, QStringLiteral("Image1"));
    Image1->setGeometry(8, 16, 256, 256);
    Image1->SetHint(QStringLiteral("Left click to select a tile"));

    GroupBox2 = new TGroupBox(this, Client(), QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(353, 73, 273, 283);
    GroupBox2->SetCaption(QStringLiteral("Page:"));
    Image2 = new TImage(this, GroupBox2, QStringLiteral("Image2"));
    Image2->setGeometry(7, 12, 256, 256);
    Image2->SetHint(QStringLiteral("Click to copy to the selected tile"));

    ComboBox2 = new TComboBox(this, Client(), QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(459, 34, 73, 21);
    ComboBox2->OnChange = [this] { ComboBox2Change(); };

    Button1 = new TButton(this, Client(), QStringLiteral("Button1"));
    Button1->setGeometry(302, 187, 37, 23);
    Button1->setFont(BoldFont(QStringLiteral("MS Serif"), 15));
    Button1->SetCaption(QStringLiteral("<----"));
    Button1->SetHint(QStringLiteral("Copy the entire page"));
    // The arrow is wider than its button in some fonts: the button grows about its centre.
    const int arrow = Button1->fontMetrics().horizontalAdvance(Button1->Caption()) + 10;
    if (arrow > Button1->width())
        Button1->setGeometry(Button1->geometry().center().x() - arrow / 2, Button1->y(), arrow,
                             Button1->height());

    PageTexts.Create(this, QStringLiteral("PageTexts"), PageTextPatterns());
    StepTexts.Create(this, QStringLiteral("StepTexts"), HistoryStepNames());
    FileTexts.Create(this, QStringLiteral("FileTexts"), FileNameTextPatterns());
    MessageTexts.Create(this, QStringLiteral("MessageTexts"), MessageTextPatterns());
    EntryTexts.Create(this, QStringLiteral("EntryTexts"), EntryTextPatterns());
    ReasonTexts.Create(this, QStringLiteral("ReasonTexts"), ReasonTextPatterns());

    CreateTextureTable();
}

void TForm1::CreateTextureTable() {
    GroupBox3 = new TGroupBox(this, Client(), QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(14, 360, 612, 137);
    GroupBox3->SetCaption(QStringLiteral("Texture Table"));

    Image3 = new TImage(this, GroupBox3, QStringLiteral("Image3"));
    Image3->move(9, 18);
    Image3->SetAutoSize(true);

    ListBox1 = new TListBox(this, GroupBox3, QStringLiteral("ListBox1"));
    ListBox1->setGeometry(170, 14, 104, 98);
    ListBox1->SetHint(QStringLiteral("Select a texture piece"));

    ComboBox3 = new TComboBox(this, GroupBox3, QStringLiteral("ComboBox3"));
    ComboBox3->setGeometry(383, 20, 117, 21);
    ComboBox3->Items()->Assign(
        {QStringLiteral("Opaque"), QStringLiteral("Transparerent"), QStringLiteral("Semi-Transparent")});
    ComboBox3->SetHint(QStringLiteral("Texture attrib"));

    CheckBox1 = new TCheckBox(this, GroupBox3, QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(384, 64, 97, 17);
    CheckBox1->SetCaption(QStringLiteral("Flip Horinzontal"));

    CheckBox2 = new TCheckBox(this, GroupBox3, QStringLiteral("CheckBox2"));
    CheckBox2->setGeometry(384, 88, 97, 17);
    CheckBox2->SetCaption(QStringLiteral("Flip Vertical"));

    Button2 = new TButton(this, GroupBox3, QStringLiteral("Button2"));
    Button2->setGeometry(8, 104, 81, 25);
    Button2->SetCaption(QStringLiteral("CLONE"));
    Button2->SetHint(QStringLiteral("Clone the current texture to a new Id"));

    Label5 = new TLabel(this, GroupBox3, QStringLiteral("Label5"));
    PlaceLabel(Label5, 372, 115, QStringLiteral("8 bits transparent color:"));
    Label5->SetHint(QStringLiteral("Use this color for transparent textures"));

    Label6 = new TLabel(this, GroupBox3, QStringLiteral("Label6"));
    PlaceLabel(Label6, 501, 115, QStringLiteral("0,0,0"));
    new StayRightOf(Label5, Label6, 501);

    Label7 = new TLabel(this, GroupBox3, QStringLiteral("Label7"));
    PlaceLabel(Label7, 96, 110, QString());
    Label7->SetTag(-1); // the size of the selected texture: data, not a text to translate
    Label8 = new TLabel(this, GroupBox3, QStringLiteral("Label8"));
    PlaceLabel(Label8, 160, 110, QString());
    Label8->SetTag(-1); // what uses the selected texture: the level's data

    // The page and texture lists hold the level's data, never texts to translate; a combo box's
    // caption is its selected entry, so it is left out too.
    ComboBox1->SetTag(-5);
    ComboBox2->SetTag(-5);
    ListBox1->SetTag(-4);
}
