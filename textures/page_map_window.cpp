// The page map's controls, zoom and settings. How it follows the document and the pointer is in
// page_map_following.cpp.
#include "textures/page_map_window.h"

#include <QAction>
#include <QBoxLayout>
#include <algorithm>

#include <QScrollBar>
#include <QStatusBar>

#include "document/level_document.h"

TPageMap* PageMap = nullptr;

namespace {

constexpr int kFitItem = 8;

TCheckBox* MakeCheckBox(TForm* owner, const QString& name, const QString& caption) {
    auto* box = new TCheckBox(owner, owner->Client(), name);
    box->SetCaption(caption);
    box->SetChecked(true);
    return box;
}

TLabel* MakeLabel(TForm* owner, const QString& name, const QString& caption) {
    auto* label = new TLabel(owner, owner->Client(), name);
    label->SetCaption(caption);
    return label;
}

} // namespace

TPageMap::TPageMap(LevelDocument& document) : TForm(QStringLiteral("PageMap")), doc_(document) {
    SetCaption(QStringLiteral("Page Map"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    SetBounds(140, 40, 640, 600);
    CreateControls();
    LayOut();
    ConnectHandlers();
    ConnectDocument();
    ShowLevel();
}

void TPageMap::CreateControls() {
    Label1 = MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("Page:"));
    ComboBox1 = new TComboBox(this, Client(), QStringLiteral("ComboBox1"));
    ComboBox1->SetTag(-5); // the level's pages: data
    ComboBox1->SetHint(QStringLiteral("The page shown"));
    Label2 = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("Zoom:"));
    ComboBox2 = new TComboBox(this, Client(), QStringLiteral("ComboBox2"));
    ComboBox2->Items()->Assign({QStringLiteral("100%"), QStringLiteral("200%"), QStringLiteral("300%"),
                                QStringLiteral("400%"), QStringLiteral("500%"), QStringLiteral("600%"),
                                QStringLiteral("700%"), QStringLiteral("800%"), QStringLiteral("Fit")});
    ComboBox2->SetItemIndex(zoom_ - 1); // the zoom shown before any settings are read
    Label3 = MakeLabel(this, QStringLiteral("Label3"), QStringLiteral("Depth:"));
    ComboBox3 = new TComboBox(this, Client(), QStringLiteral("ComboBox3"));
    ComboBox3->Items()->Assign({QStringLiteral("16-bit page"), QStringLiteral("32-bit page")});
    ComboBox3->SetItemIndex(0);
    CreateOverlayBoxes();
    Label4 = MakeLabel(this, QStringLiteral("Label4"), QString());
    Label5 = MakeLabel(this, QStringLiteral("Label5"), QString());
    Label5->setStyleSheet(QStringLiteral("color: #c00000"));
    Label6 = MakeLabel(this, QStringLiteral("Label6"), QString());
    // The figures, warnings and free share are the level's data, filled in from Texts.
    for (TLabel* label : {Label4, Label5, Label6})
        label->SetTag(-1);
    Texts = new TListBox(this, Client(), QStringLiteral("Texts"));
    Texts->Items()->Assign(
        {QStringLiteral("Pages: %1   Object textures: %2   Sprite textures: %3   Animated sets: %4"),
         QStringLiteral("The game's engine loads at most %1 pages."),
         QStringLiteral("The game's engine loads at most %1 object textures."),
         QStringLiteral("Free: %1% of the page"), QStringLiteral("(triangle)"),
         QStringLiteral("The game's engine loads at most %1 pages; add page %2 anyway?"),
         QStringLiteral("%1 room faces"), QStringLiteral("%1 mesh faces"), QStringLiteral("animated sets %1"),
         QStringLiteral("unused"), QStringLiteral("Free after clean-up: %1%"),
         QStringLiteral("The game's engine loads at most %1 sprite textures.")});
    Texts->hide();
    ScrollBox1 = new QScrollArea(Client());
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PaintBox1 = new PageMapView(ScrollBox1);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->SetSources(&doc_.Level(), &doc_.AnimatedSets());
    ScrollBox1->setWidget(PaintBox1);
    statusBar()->setSizeGripEnabled(true);
}

void TPageMap::CreateOverlayBoxes() {
    CheckBox1 = MakeCheckBox(this, QStringLiteral("CheckBox1"), QStringLiteral("Outlines"));
    CheckBox1->SetHint(QStringLiteral("Outline every object texture, coloured by its attribute"));
    CheckBox2 = MakeCheckBox(this, QStringLiteral("CheckBox2"), QStringLiteral("Selected texture"));
    CheckBox3 = MakeCheckBox(this, QStringLiteral("CheckBox3"), QStringLiteral("Sprites"));
    CheckBox4 = MakeCheckBox(this, QStringLiteral("CheckBox4"), QStringLiteral("Animated frames"));
    CheckBox5 = MakeCheckBox(this, QStringLiteral("CheckBox5"), QStringLiteral("Free area"));
    CheckBox5->SetHint(QStringLiteral("Shade the pixels no texture or sprite uses"));
}

void TPageMap::LayOut() {
    auto* column = new QVBoxLayout(Client());
    column->setContentsMargins(6, 6, 6, 0);
    auto* choices = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label1, ComboBox1, Label2, ComboBox2, Label3, ComboBox3})
        choices->addWidget(w);
    choices->addStretch();
    column->addLayout(choices);
    auto* overlays = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5})
        overlays->addWidget(w);
    overlays->addStretch();
    column->addLayout(overlays);
    column->addWidget(Label4);
    column->addWidget(Label5);
    column->addWidget(Label6);
    column->addWidget(ScrollBox1, 1);
}

void TPageMap::ConnectHandlers() {
    ComboBox1->OnChange = [this] { ComboBox1Change(); };
    ComboBox2->OnChange = [this] { ComboBox2Change(); };
    ComboBox3->OnChange = [this] { ComboBox3Change(); };
    for (TCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5})
        box->OnClick = [this] { OverlayClick(); };
    connect(PaintBox1, &PageMapView::PixelHovered, this, [this](int x, int y) { PaintBox1Hover(x, y); });
    connect(PaintBox1, &PageMapView::PixelClicked, this, [this](int x, int y) { PaintBox1Click(x, y); });
    connect(PaintBox1, &PageMapView::ZoomWheel, this,
            [this](int steps, const QPoint& at) { ZoomAt(PaintBox1->Zoom() + steps, at); });
    const auto add_key = [this](const QList<QKeySequence>& keys, void (TPageMap::*handler)()) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    add_key({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
            &TPageMap::ZoomIn);
    add_key({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &TPageMap::ZoomOut);
    add_key({QKeySequence(Qt::CTRL | Qt::Key_0)}, &TPageMap::ZoomToFit);
}

// A translation that lost a number shows the English text rather than a wrong one.
QString TPageMap::Text(int index, const QString& fallback) const {
    const QString text = Texts->Items()->Strings(index);
    for (int n = 1; n <= 4; ++n) {
        const QString mark = QStringLiteral("%%1").arg(n);
        if (fallback.contains(mark) && !text.contains(mark))
            return fallback;
    }
    return text.isEmpty() ? fallback : text;
}

QString TPageMap::PageLimitQuestion(int limit, int page) const {
    return Text(5, QStringLiteral("The game's engine loads at most %1 pages; add page %2 anyway?"))
        .arg(limit)
        .arg(page);
}

QString TPageMap::StatusText() const {
    return statusBar()->currentMessage();
}

pw::PageDepth TPageMap::DepthShown() const {
    const int kind = doc_.Level().kind;
    if (pw::CarriesDepth(kind, pw::PageDepth::bits32))
        return ComboBox3->ItemIndex() == 1 ? pw::PageDepth::bits32 : pw::PageDepth::bits16;
    return pw::ShowsPalettedPages(kind) ? pw::PageDepth::bits8 : pw::PageDepth::bits16;
}

int TPageMap::FitZoom() const {
    const QSize room = ScrollBox1->viewport()->size();
    return std::clamp(std::min(room.width(), room.height()) / 256, PageMapView::kMinZoom,
                      PageMapView::kMaxZoom);
}

void TPageMap::SetZoomStep(int zoom) {
    fit_ = false;
    ZoomAt(zoom, ScrollBox1->viewport()->rect().center() - PaintBox1->pos());
}

void TPageMap::ZoomIn() {
    SetZoomStep(PaintBox1->Zoom() + 1);
}

void TPageMap::ZoomOut() {
    SetZoomStep(PaintBox1->Zoom() - 1);
}

void TPageMap::ZoomToFit() {
    fit_ = true;
    ZoomAt(FitZoom(), {0, 0});
}

// The page point under `at` (view coordinates) stays under the same point of the viewport.
void TPageMap::ZoomAt(int zoom, const QPoint& at) {
    zoom = std::clamp(zoom, PageMapView::kMinZoom, PageMapView::kMaxZoom);
    const int old_zoom = PaintBox1->Zoom();
    const QPoint in_viewport = at + PaintBox1->pos();
    PaintBox1->SetZoom(zoom);
    const QPoint moved = at * zoom / old_zoom;
    ScrollBox1->horizontalScrollBar()->setValue(moved.x() - in_viewport.x());
    ScrollBox1->verticalScrollBar()->setValue(moved.y() - in_viewport.y());
    if (!fit_)
        zoom_ = zoom;
    ComboBox2->SetItemIndex(fit_ ? kFitItem : zoom - 1);
}

void TPageMap::ComboBox2Change() {
    const int item = ComboBox2->ItemIndex();
    if (item == kFitItem)
        ZoomToFit();
    else if (item >= 0)
        SetZoomStep(item + 1);
}

void TPageMap::ComboBox3Change() {
    stale_ = true;
    Redraw();
}

void TPageMap::OverlayClick() {
    PageMapOverlays o;
    o.outlines = CheckBox1->Checked();
    o.selected = CheckBox2->Checked();
    o.sprites = CheckBox3->Checked();
    o.animated = CheckBox4->Checked();
    o.free_area = CheckBox5->Checked();
    PaintBox1->SetOverlays(o);
}

void TPageMap::resizeEvent(QResizeEvent* event) {
    TForm::resizeEvent(event);
    if (fit_)
        ZoomAt(FitZoom(), {0, 0});
}

void TPageMap::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    Redraw();
    ShowSelection();
}

PageMapChoices TPageMap::Choices() const {
    return {fit_ ? 0 : zoom_, PaintBox1->Overlays(), ComboBox3->ItemIndex() == 1};
}

void TPageMap::SetChoices(const PageMapChoices& choices) {
    fit_ = choices.zoom <= 0;
    zoom_ = std::clamp(choices.zoom, PageMapView::kMinZoom, PageMapView::kMaxZoom);
    PaintBox1->SetZoom(fit_ ? FitZoom() : zoom_);
    ComboBox2->SetItemIndex(fit_ ? kFitItem : zoom_ - 1);
    const PageMapOverlays& o = choices.overlays;
    CheckBox1->SetChecked(o.outlines);
    CheckBox2->SetChecked(o.selected);
    CheckBox3->SetChecked(o.sprites);
    CheckBox4->SetChecked(o.animated);
    CheckBox5->SetChecked(o.free_area);
    PaintBox1->SetOverlays(o);
    if ((ComboBox3->ItemIndex() == 1) != choices.depth32) {
        ComboBox3->SetItemIndex(choices.depth32 ? 1 : 0);
        ComboBox3Change();
    }
}
