// TPageMap, the page map: one level page shown large, with the outlines of the object textures on it,
// the sprite textures, the frames of the animated sets and the pixels nothing covers. Hovering names
// what covers a pixel; a click picks the texture under the pointer for the main window's texture list.
// It shows the document and follows its signals; the page it shows and the texture picked go out as
// signals, which the program connects to the main window.
#pragma once

#include <QScrollArea>

#include "level/page_access.h"
#include "texture_windows/page_map_texts.h"
#include "texture_windows/page_map_view.h"
#include "widgets/t_check_box.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_form.h"
#include "widgets/t_label.h"
#include "widgets/t_list_box.h"
#include "widgets/text_table.h"

class LevelDocument;

struct PageMapChoices {
    int zoom = 2; // 1 to 8; 0 for Fit
    PageMapOverlays overlays;
    bool depth32 = false;
};

class TPageMap : public TForm {
    Q_OBJECT

public:
    explicit TPageMap(LevelDocument& document);

    TLabel* PageLabel;      // "Page:"
    TComboBox* PageBox;     // the level's pages
    TLabel* ZoomLabel;      // "Zoom:"
    TComboBox* ZoomBox;     // 100 % to 800 %, then Fit
    TLabel* DepthLabel;     // "Depth:"
    TComboBox* DepthBox;    // the 16-bit or the 32-bit page (kinds 6 and 7)
    TCheckBox* OutlinesBox; // outlines
    TCheckBox* SelectedBox; // the selected texture
    TCheckBox* SpritesBox;  // sprite textures
    TCheckBox* AnimatedBox; // frames of the animated sets
    TCheckBox* FreeAreaBox; // free area
    TLabel* FiguresLabel;   // the level's figures
    TLabel* WarningsLabel;  // what passes the engine's limits
    TLabel* FreeShareLabel; // the page's free share
    // The texts the window fills in (figures, warnings, free share, "(triangle)"), a hidden list.
    TextTable<PageMapText> Texts;
    QScrollArea* Scroller;
    PageMapView* View;

    int ShownPage() const { return page_; }
    // Shows level page `page` (the main window's choice); nothing goes out again.
    void ShowPage(int page);
    pw::PageDepth DepthShown() const;
    // Zoom steps 1 to 8 (100 % to 800 %); Fit takes the largest step at which the page fits.
    void SetZoomStep(int zoom);
    void ZoomIn();
    void ZoomOut();
    void ZoomToFit();
    bool Fits() const { return fit_; }
    // What the status bar shows for page pixel (x, y).
    QString PixelText(int x, int y) const;
    QString StatusText() const;
    // Fills in the figures and the free share again, in the language now applied.
    void ShowTexts();

    // The zoom, overlays and depth chosen, as the settings keep them.
    PageMapChoices Choices() const;
    void SetChoices(const PageMapChoices& choices);

    void PageBoxChange();
    void ZoomBoxChange();
    void DepthBoxChange();
    void OverlayClick();
    void ViewHover(int x, int y);
    void ViewClick(int x, int y);

signals:
    void PageChosen(int page);
    void TextureChosen(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void CreateOverlayBoxes();
    void LayOut();
    void ConnectDocument();
    void ConnectHandlers();
    void ShowLevel();
    void ShowPageList();
    void ShowAddedPage(int page);
    void ShowRemovedPage(int page);
    void ShowFigures();
    void ShowFreeShare();
    void Redraw();
    void ShowSelection();
    void ScrollToTexture(int index);
    void ZoomAt(int zoom, const QPoint& at);
    int FitZoom() const;

    LevelDocument& doc_;
    int page_ = 0;
    int zoom_ = 2;
    bool fit_ = false;
    // The picture and cover mask wait for the window to be shown.
    bool stale_ = true;
    // The page's free share in percent; negative when no page is shown.
    double free_share_ = -1;
    double free_after_share_ = -1;
    QPoint last_click_{-1, -1};
    int last_pick_ = -1;
};

extern TPageMap* PageMap;
