// Tfanimated, the animated-texture window: the sets of the open level, the frames of the selected set,
// the commands that edit them and a preview that plays the selected set. The sets it shows are the
// document's working copy; every edit is a document call, and the lists follow the document.
#pragma once

#include <QImage>

#include "widgets/t_button.h"
#include "widgets/t_check_box.h"
#include "widgets/t_form.h"
#include "widgets/t_group_box.h"
#include "widgets/t_image.h"
#include "widgets/t_list_box.h"
#include "widgets/t_spin_edit.h"
#include "widgets/t_timer.h"
#include "widgets/text_table.h"

class LevelDocument;

class Tfanimated : public TForm {
    Q_OBJECT

public:
    explicit Tfanimated(LevelDocument& document);

    TGroupBox* GroupBox1;
    TListBox* ListBox1;
    TGroupBox* GroupBox3;
    TListBox* ListBox2;
    TGroupBox* GroupBox2;
    TImage* Image1;
    TCheckBox* CheckBox1;
    TButton* Button1;
    TButton* Button2;
    TButton* Button3;
    TButton* Button4;
    TSpinEdit* SpinEdit1;
    TButton* Button5;
    TButton* Button6;
    TTimer* Timer1;
    // The patterns of the lists' entries, "Animated Texture #%1" and "Texture ID:%1", a hidden list.
    enum class Entry { set, frame };
    TextTable<Entry> EntryTexts;

    // 1-based number of the frame the preview shows next.
    int PreviewFrame = 1;
    // The frame being previewed, 16 bits per pixel.
    QImage AnimPreview;

    void FormCreate();
    // Fills both lists from the document's sets after a level was opened.
    void LoadAnimatedSets();
    // Shows both lists again from the document's sets, keeping the selections (after texts were
    // written into the window).
    void ShowSets();
    // Sizes the buttons and boxes to their captions, moving what stands right of them and widening the
    // window when a translation needs it; the English texts keep the usual places.
    void ArrangeControls();

    void ListBox1Click();
    void ListBox2Click();
    void Button1Click(); // ADD set
    void Button2Click(); // DELETE the last set
    void Button3Click(); // ADD frame
    void Button4Click(); // DELETE frame
    void Button5Click(); // REPLACE frame
    void Button6Click(); // Done
    void CheckBox1Click();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void CreateButtons();
    void ConnectHandlers();
    int SelectedSet() const;
    void ShowFrames();
    // DELETE and REPLACE work on the selected frame: offered only while one is selected.
    void EnableFrameCommands();
    void LimitTextureIds();
    void ShowNextFrame();

    LevelDocument& doc_;
};

extern Tfanimated* fanimated;
