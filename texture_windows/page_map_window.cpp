// The page map's controls, zoom and settings. How it follows the document and the pointer is in
// page_map_following.cpp.
#include "texture_windows/page_map_window.h"

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
    PageLabel = MakeLabel(this, QStringLiteral("PageLabel"), QStringLiteral("Page:"));
    PageBox = new TComboBox(this, Client(), QStringLiteral("PageBox"));
    PageBox->SetTag(-5); // the level's pages: data
    PageBox->SetHint(QStringLiteral("The page shown"));
    ZoomLabel = MakeLabel(this, QStringLiteral("ZoomLabel"), QStringLiteral("Zoom:"));
    ZoomBox = new TComboBox(this, Client(), QStringLiteral("ZoomBox"));
    ZoomBox->Items()->Assign({QStringLiteral("100%"), QStringLiteral("200%"), QStringLiteral("300%"),
                              QStringLiteral("400%"), QStringLiteral("500%"), QStringLiteral("600%"),
                              QStringLiteral("700%"), QStringLiteral("800%"), QStringLiteral("Fit")});
    ZoomBox->SetItemIndex(zoom_ - 1); // the zoom shown before any settings are read
    DepthLabel = MakeLabel(this, QStringLiteral("DepthLabel"), QStringLiteral("Depth:"));
    DepthBox = new TComboBox(this, Client(), QStringLiteral("DepthBox"));
    DepthBox->Items()->Assign({QStringLiteral("16-bit page"), QStringLiteral("32-bit page")});
    DepthBox->SetItemIndex(0);
    CreateOverlayBoxes();
    FiguresLabel = MakeLabel(this, QStringLiteral("FiguresLabel"), QString());
    WarningsLabel = MakeLabel(this, QStringLiteral("WarningsLabel"), QString());
    WarningsLabel->setStyleSheet(QStringLiteral("color: #c00000"));
    FreeShareLabel = MakeLabel(this, QStringLiteral("FreeShareLabel"), QString());
    // The figures, warnings and free share are the level's data, filled in from Texts.
    for (TLabel* label : {FiguresLabel, WarningsLabel, FreeShareLabel})
        label->SetTag(-1);
    Texts.Create(this, QStringLiteral("Texts"), PageMapTextPatterns());
    Scroller = new QScrollArea(Client());
    Scroller->setObjectName(QStringLiteral("Scroller"));
    Scroller->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    View = new PageMapView(Scroller);
    View->setObjectName(QStringLiteral("View"));
    View->SetSources(&doc_.Level(), &doc_.AnimatedSets());
    Scroller->setWidget(View);
    statusBar()->setSizeGripEnabled(true);
}

void TPageMap::CreateOverlayBoxes() {
    OutlinesBox = MakeCheckBox(this, QStringLiteral("OutlinesBox"), QStringLiteral("Outlines"));
    OutlinesBox->SetHint(QStringLiteral("Outline every object texture, coloured by its attribute"));
    SelectedBox = MakeCheckBox(this, QStringLiteral("SelectedBox"), QStringLiteral("Selected texture"));
    SpritesBox = MakeCheckBox(this, QStringLiteral("SpritesBox"), QStringLiteral("Sprites"));
    AnimatedBox = MakeCheckBox(this, QStringLiteral("AnimatedBox"), QStringLiteral("Animated frames"));
    FreeAreaBox = MakeCheckBox(this, QStringLiteral("FreeAreaBox"), QStringLiteral("Free area"));
    FreeAreaBox->SetHint(QStringLiteral("Shade the pixels no texture or sprite uses"));
}

void TPageMap::LayOut() {
    auto* column = new QVBoxLayout(Client());
    column->setContentsMargins(6, 6, 6, 0);
    auto* choices = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{PageLabel, PageBox, ZoomLabel, ZoomBox, DepthLabel, DepthBox})
        choices->addWidget(w);
    choices->addStretch();
    column->addLayout(choices);
    auto* overlays = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{OutlinesBox, SelectedBox, SpritesBox, AnimatedBox, FreeAreaBox})
        overlays->addWidget(w);
    overlays->addStretch();
    column->addLayout(overlays);
    column->addWidget(FiguresLabel);
    column->addWidget(WarningsLabel);
    column->addWidget(FreeShareLabel);
    column->addWidget(Scroller, 1);
}

void TPageMap::ConnectHandlers() {
    PageBox->OnChange = [this] { PageBoxChange(); };
    ZoomBox->OnChange = [this] { ZoomBoxChange(); };
    DepthBox->OnChange = [this] { DepthBoxChange(); };
    for (TCheckBox* box : {OutlinesBox, SelectedBox, SpritesBox, AnimatedBox, FreeAreaBox})
        box->OnClick = [this] { OverlayClick(); };
    connect(View, &PageMapView::PixelHovered, this, [this](int x, int y) { ViewHover(x, y); });
    connect(View, &PageMapView::PixelClicked, this, [this](int x, int y) { ViewClick(x, y); });
    connect(View, &PageMapView::ZoomWheel, this,
            [this](int steps, const QPoint& at) { ZoomAt(View->Zoom() + steps, at); });
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

QString TPageMap::StatusText() const {
    return statusBar()->currentMessage();
}

pw::PageDepth TPageMap::DepthShown() const {
    const int kind = doc_.Level().kind;
    if (pw::CarriesDepth(kind, pw::PageDepth::bits32))
        return DepthBox->ItemIndex() == 1 ? pw::PageDepth::bits32 : pw::PageDepth::bits16;
    return pw::ShowsPalettedPages(kind) ? pw::PageDepth::bits8 : pw::PageDepth::bits16;
}

int TPageMap::FitZoom() const {
    const QSize room = Scroller->viewport()->size();
    return std::clamp(std::min(room.width(), room.height()) / 256, PageMapView::kMinZoom,
                      PageMapView::kMaxZoom);
}

void TPageMap::SetZoomStep(int zoom) {
    fit_ = false;
    ZoomAt(zoom, Scroller->viewport()->rect().center() - View->pos());
}

void TPageMap::ZoomIn() {
    SetZoomStep(View->Zoom() + 1);
}

void TPageMap::ZoomOut() {
    SetZoomStep(View->Zoom() - 1);
}

void TPageMap::ZoomToFit() {
    fit_ = true;
    ZoomAt(FitZoom(), {0, 0});
}

// The page point under `at` (view coordinates) stays under the same point of the viewport.
void TPageMap::ZoomAt(int zoom, const QPoint& at) {
    zoom = std::clamp(zoom, PageMapView::kMinZoom, PageMapView::kMaxZoom);
    const int old_zoom = View->Zoom();
    const QPoint in_viewport = at + View->pos();
    View->SetZoom(zoom);
    const QPoint moved = at * zoom / old_zoom;
    Scroller->horizontalScrollBar()->setValue(moved.x() - in_viewport.x());
    Scroller->verticalScrollBar()->setValue(moved.y() - in_viewport.y());
    if (!fit_)
        zoom_ = zoom;
    ZoomBox->SetItemIndex(fit_ ? kFitItem : zoom - 1);
}

void TPageMap::ZoomBoxChange() {
    const int item = ZoomBox->ItemIndex();
    if (item == kFitItem)
        ZoomToFit();
    else if (item >= 0)
        SetZoomStep(item + 1);
}

void TPageMap::DepthBoxChange() {
    stale_ = true;
    Redraw();
}

void TPageMap::OverlayClick() {
    PageMapOverlays o;
    o.outlines = OutlinesBox->Checked();
    o.selected = SelectedBox->Checked();
    o.sprites = SpritesBox->Checked();
    o.animated = AnimatedBox->Checked();
    o.free_area = FreeAreaBox->Checked();
    View->SetOverlays(o);
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
    return {fit_ ? 0 : zoom_, View->Overlays(), DepthBox->ItemIndex() == 1};
}

void TPageMap::SetChoices(const PageMapChoices& choices) {
    fit_ = choices.zoom <= 0;
    zoom_ = std::clamp(choices.zoom, PageMapView::kMinZoom, PageMapView::kMaxZoom);
    View->SetZoom(fit_ ? FitZoom() : zoom_);
    ZoomBox->SetItemIndex(fit_ ? kFitItem : zoom_ - 1);
    const PageMapOverlays& o = choices.overlays;
    OutlinesBox->SetChecked(o.outlines);
    SelectedBox->SetChecked(o.selected);
    SpritesBox->SetChecked(o.sprites);
    AnimatedBox->SetChecked(o.animated);
    FreeAreaBox->SetChecked(o.free_area);
    View->SetOverlays(o);
    if ((DepthBox->ItemIndex() == 1) != choices.depth32) {
        DepthBox->SetItemIndex(choices.depth32 ? 1 : 0);
        DepthBoxChange();
    }
}
