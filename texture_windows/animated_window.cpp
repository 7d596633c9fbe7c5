#include "texture_windows/animated_window.h"

#include <QAction>

#include "document/level_document.h"
#include "texture_windows/animated_preview.h"

Tfanimated* fanimated = nullptr;

namespace {

constexpr int kPreviewWidth = 151;
constexpr int kPreviewHeight = 140;

TButton* MakeButton(TForm* owner, const QString& name, const QRect& bounds, const QString& caption,
                    const QString& hint = {}) {
    auto* button = new TButton(owner, owner->Client(), name);
    button->setGeometry(bounds);
    button->SetCaption(caption);
    if (!hint.isEmpty())
        button->SetHint(hint);
    return button;
}

// The width a caption needs on a button, and a box title above its frame.
int CaptionWidth(const TButton* button) {
    return button->fontMetrics().horizontalAdvance(QString(button->Caption()).remove(QLatin1Char('&'))) + 12;
}

// The English patterns of EntryTexts, in the order of Entry.
QStringList EntryPatterns() {
    return {QStringLiteral("Animated Texture #%1"), QStringLiteral("Texture ID:%1")};
}

int TitleWidth(const TGroupBox* box) {
    return box->fontMetrics().horizontalAdvance(QString(box->Caption()).remove(QLatin1Char('&'))) + 20;
}

} // namespace

Tfanimated::Tfanimated(LevelDocument& document) : TForm(QStringLiteral("fanimated")), doc_(document) {
    SetCaption(QStringLiteral("Animated texture Managger"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    SetBounds(70, 7, 551, 293);
    CreateControls();
    ConnectHandlers();
    ArrangeControls();
    FormCreate();
}

void Tfanimated::showEvent(QShowEvent* event) {
    ArrangeControls();
    TForm::showEvent(event);
}

// Three columns, each a box with its controls below: the sets, the frames with the frame commands,
// the preview with its check box and Done.
void Tfanimated::ArrangeControls() {
    constexpr int kGap = 8;
    GroupBox1->setGeometry(8, 10, std::max(169, TitleWidth(GroupBox1)), 178);
    const int sets_buttons = std::max({63, CaptionWidth(Button1), CaptionWidth(Button2)});
    Button1->setGeometry(42, 194, sets_buttons, 25);
    Button2->setGeometry(42, 224, sets_buttons, 25);

    const int frames = std::max({184, GroupBox1->geometry().right() + 7, Button1->geometry().right() + kGap});
    const int frame_buttons = std::max({63, CaptionWidth(Button3), CaptionWidth(Button4)});
    Button3->setGeometry(frames + 4, 194, frame_buttons, 25);
    Button4->setGeometry(frames + 5, 224, frame_buttons, 25);
    const int number = std::max(frames + 86, Button4->geometry().right() + kGap);
    SpinEdit1->setGeometry(number, 194, 76, 22);
    Button5->setGeometry(number + 2, 224, std::max(73, CaptionWidth(Button5)), 25);
    const int frames_right = std::max(Button5->geometry().right(), SpinEdit1->geometry().right()) + 1;
    GroupBox3->setGeometry(frames, 10, std::max({161, TitleWidth(GroupBox3), frames_right - frames}), 177);

    const int preview = std::max(356, GroupBox3->geometry().right() + 11);
    GroupBox2->setGeometry(preview, 12, std::max(177, TitleWidth(GroupBox2)), 173);
    CheckBox1->setGeometry(preview + 58, 190, std::max(81, CheckBox1->sizeHint().width()), 17);
    Button6->setGeometry(preview + 54, 224, std::max(75, CaptionWidth(Button6)), 25);
    const int right = std::max({GroupBox2->geometry().right(), CheckBox1->geometry().right(),
                                Button6->geometry().right()}) +
                      10;
    if (right > width()) {
        resize(right, height());
        Client()->resize(right, Client()->height());
    }
}

void Tfanimated::CreateControls() {
    GroupBox1 = new TGroupBox(this, Client(), QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 10, 169, 178);
    GroupBox1->SetCaption(QStringLiteral("Animated Texture List"));
    ListBox1 = new TListBox(this, GroupBox1, QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 17, 149, 148);
    ListBox1->SetHint(QStringLiteral("Select a animated texture"));

    GroupBox3 = new TGroupBox(this, Client(), QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(184, 10, 161, 177);
    GroupBox3->SetCaption(QStringLiteral("Frames"));
    ListBox2 = new TListBox(this, GroupBox3, QStringLiteral("ListBox2"));
    ListBox2->setGeometry(13, 19, 129, 145);
    // Both lists show the document's sets: data, never texts to translate.
    ListBox1->SetTag(-4);
    ListBox2->SetTag(-4);

    GroupBox2 = new TGroupBox(this, Client(), QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(356, 12, 177, 173);
    GroupBox2->SetCaption(QStringLiteral("Sample"));
    Image1 = new TImage(this, GroupBox2, QStringLiteral("Image1"));
    Image1->setGeometry(14, 21, kPreviewWidth, kPreviewHeight);
    Image1->SetStretch(true);

    CheckBox1 = new TCheckBox(this, Client(), QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(414, 190, 81, 17);
    CheckBox1->SetCaption(QStringLiteral("Original size"));
    CreateButtons();
    Timer1 = new TTimer(this, QStringLiteral("Timer1"));
    Timer1->SetInterval(100);
    EntryTexts.Create(this, QStringLiteral("EntryTexts"), EntryPatterns());
}

void Tfanimated::CreateButtons() {
    Button1 = MakeButton(this, QStringLiteral("Button1"), {42, 194, 63, 25}, QStringLiteral("ADD"),
                         QStringLiteral("Add New animated texture set"));
    Button2 = MakeButton(this, QStringLiteral("Button2"), {42, 224, 63, 25}, QStringLiteral("DELETE"),
                         QStringLiteral("Delete last animated texture set"));
    Button3 = MakeButton(this, QStringLiteral("Button3"), {188, 194, 63, 25}, QStringLiteral("ADD"),
                         QStringLiteral("Add new frame to the set"));
    Button4 = MakeButton(this, QStringLiteral("Button4"), {189, 224, 63, 25}, QStringLiteral("DELETE"),
                         QStringLiteral("Delete the current frame"));
    SpinEdit1 = new TSpinEdit(this, Client(), QStringLiteral("SpinEdit1"));
    SpinEdit1->setGeometry(270, 194, 76, 22);
    SpinEdit1->SetHint(QStringLiteral("Texture Id to add or replace"));
    Button5 = MakeButton(this, QStringLiteral("Button5"), {272, 224, 73, 25}, QStringLiteral("REPLACE"),
                         QStringLiteral("Replace the current frame"));
    Button6 = MakeButton(this, QStringLiteral("Button6"), {410, 224, 75, 25}, QStringLiteral("Done"));
}

void Tfanimated::ConnectHandlers() {
    ListBox1->OnClick = [this] { ListBox1Click(); };
    ListBox2->OnClick = [this] { ListBox2Click(); };
    Button1->OnClick = [this] { Button1Click(); };
    Button2->OnClick = [this] { Button2Click(); };
    Button3->OnClick = [this] { Button3Click(); };
    Button4->OnClick = [this] { Button4Click(); };
    Button5->OnClick = [this] { Button5Click(); };
    Button6->OnClick = [this] { Button6Click(); };
    CheckBox1->OnClick = [this] { CheckBox1Click(); };
    Timer1->OnTimer = [this] { Timer1Timer(); };
    connect(&doc_, &LevelDocument::LevelReplaced, this, [this] { LoadAnimatedSets(); });
    connect(&doc_, &LevelDocument::AnimatedSetsChanged, this, [this] { ShowSets(); });
    connect(&doc_, &LevelDocument::TexturesChanged, this, [this] { LimitTextureIds(); });
    // The history's keys work here as in the main window.
    auto* undo = new QAction(this);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, &doc_, &LevelDocument::Undo);
    auto* redo = new QAction(this);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, &doc_, &LevelDocument::Redo);
    addActions({undo, redo});
}

void Tfanimated::FormCreate() {
    PreviewFrame = 1;
    AnimPreview = QImage(1, 1, QImage::Format_RGB16);
    AnimPreview.fill(0);
    SpinEdit1->SetValue(0);
    LimitTextureIds();
}

// A frame always names an entry of the table; with an empty table any 16-bit index can be typed.
void Tfanimated::LimitTextureIds() {
    const int textures = doc_.HasLevel() ? doc_.Level().num_object_textures : 0;
    SpinEdit1->SetRange(0, textures > 0 ? textures - 1 : 0xFFFF);
}

void Tfanimated::LoadAnimatedSets() {
    LimitTextureIds();
    ListBox1->Items()->Clear();
    ListBox2->Items()->Clear();
    Image1->ClearPicture();
    ShowSets();
    ListBox1->SetItemIndex(doc_.AnimatedSets().empty() ? -1 : 0);
    ListBox1Click();
}

int Tfanimated::SelectedSet() const {
    const int set = ListBox1->ItemIndex();
    return set >= 0 && static_cast<std::size_t>(set) < doc_.AnimatedSets().size() ? set : -1;
}

void Tfanimated::ShowSets() {
    const int selected = ListBox1->ItemIndex();
    const int count = static_cast<int>(doc_.AnimatedSets().size());
    QStringList lines;
    for (int s = 1; s <= count; ++s)
        lines.append(EntryTexts.Text(Entry::set).arg(s));
    if (ListBox1->Items()->ToStringList() != lines)
        ListBox1->Items()->Assign(lines);
    ListBox1->SetItemIndex(std::min(selected, count - 1));
    ShowFrames();
}

void Tfanimated::ShowFrames() {
    const int selected = ListBox2->ItemIndex();
    const int set = SelectedSet();
    QStringList lines;
    if (set >= 0)
        for (const std::uint16_t texture : doc_.AnimatedSets()[static_cast<std::size_t>(set)])
            lines.append(EntryTexts.Text(Entry::frame).arg(texture));
    if (ListBox2->Items()->ToStringList() != lines)
        ListBox2->Items()->Assign(lines);
    ListBox2->SetItemIndex(selected < lines.size() ? selected : -1);
    EnableFrameCommands();
}

void Tfanimated::EnableFrameCommands() {
    const bool frame = SelectedSet() >= 0 && ListBox2->ItemIndex() >= 0;
    Button4->setEnabled(frame);
    Button5->setEnabled(frame);
}

void Tfanimated::ListBox1Click() {
    ListBox2->SetItemIndex(-1);
    ShowFrames();
    PreviewFrame = 1;
}

void Tfanimated::ListBox2Click() {
    const int set = SelectedSet();
    const int frame = ListBox2->ItemIndex();
    EnableFrameCommands();
    if (set < 0 || frame < 0)
        return;
    const auto& frames = doc_.AnimatedSets()[static_cast<std::size_t>(set)];
    if (static_cast<std::size_t>(frame) < frames.size())
        SpinEdit1->SetValue(frames[static_cast<std::size_t>(frame)]);
}

void Tfanimated::Button1Click() {
    if (!doc_.AddAnimatedSet())
        return;
    ListBox1->SetItemIndex(ListBox1->Items()->Count() - 1);
    ShowFrames(); // the new set has no frames
}

// Always the last set, whichever is selected.
void Tfanimated::Button2Click() {
    if (!doc_.DeleteLastAnimatedSet())
        return;
    ListBox1->SetItemIndex(ListBox1->Items()->Count() - 1);
    ListBox1Click();
}

void Tfanimated::Button3Click() {
    const int set = SelectedSet();
    if (set < 0 || !doc_.AddAnimatedFrame(set, SpinEdit1->Value()))
        return;
    ListBox2->SetItemIndex(ListBox2->Items()->Count() - 1);
    EnableFrameCommands();
}

// Only the selected frame goes; without one the button is disabled.
void Tfanimated::Button4Click() {
    const int set = SelectedSet();
    const int frame = ListBox2->ItemIndex();
    if (set < 0 || frame < 0 || !doc_.DeleteAnimatedFrame(set, frame))
        return;
    ListBox2->SetItemIndex(ListBox2->Items()->Count() - 1);
    EnableFrameCommands();
}

void Tfanimated::Button5Click() {
    const int set = SelectedSet();
    const int frame = ListBox2->ItemIndex();
    if (set < 0 || frame < 0)
        return;
    doc_.ReplaceAnimatedFrame(set, frame, SpinEdit1->Value());
}

void Tfanimated::Button6Click() {
    Hide();
}

void Tfanimated::CheckBox1Click() {
    const bool original = CheckBox1->Checked();
    Image1->SetStretch(!original);
    Image1->SetAutoSize(original);
    if (!original)
        Image1->resize(kPreviewWidth, kPreviewHeight);
    Image1->Changed();
}

// Plays the selected set while this window is the active one; another window freezes it.
void Tfanimated::Timer1Timer() {
    if (ListBox2->Items()->Count() > 0 && isActiveWindow() && ListBox1->Items()->Count() > 0)
        ShowNextFrame();
    if (ListBox2->Items()->Count() == 0)
        Image1->ClearPicture();
}

void Tfanimated::ShowNextFrame() {
    const int set = SelectedSet();
    if (set < 0 || doc_.AnimatedSets()[static_cast<std::size_t>(set)].empty())
        return;
    const auto& frames = doc_.AnimatedSets()[static_cast<std::size_t>(set)];
    // A set can lose frames or gain its first ones while the count runs on.
    if (PreviewFrame < 1 || static_cast<std::size_t>(PreviewFrame) > frames.size())
        PreviewFrame = 1;
    const int texture = frames[static_cast<std::size_t>(PreviewFrame - 1)];
    if (doc_.HasTexture(texture)) {
        const pw::tobjtexture& record = doc_.Level().object_textures[static_cast<std::size_t>(texture)];
        AnimPreview = PageRegion(doc_.Level(), record.tile & 0x7FFF, AnimatedFrameRect(record));
        Image1->SetPicture(AnimPreview);
    } else {
        Image1->ClearPicture(); // a frame that names no texture has nothing to show
    }
    PreviewFrame = static_cast<std::size_t>(PreviewFrame) >= frames.size() ? 1 : PreviewFrame + 1;
}
