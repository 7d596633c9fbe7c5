// TForm2, the About window: the program's name, a picture and the credits; "OK" closes it.
#pragma once

#include "widgets/t_button.h"
#include "widgets/t_form.h"
#include "widgets/t_image.h"
#include "widgets/t_label.h"

class TForm2 : public TForm {
    Q_OBJECT

public:
    TForm2();

    TLabel* Label1;
    TLabel* Label2;
    TImage* Image1;
    TLabel* Label3;
    TLabel* Label4;
    TLabel* Label5;
    TLabel* Label6;
    TButton* Button1;

    void FormCreate() {}
    void Button1Click();
    // Places the texts by their widths: titles centred, names right of the longer credit, the window
    // widened when a translation needs it.
    void ArrangeTexts();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateTitle();
    void CreateCredits();
};

extern TForm2* Form2;
