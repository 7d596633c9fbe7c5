// TForm3, the readme window: shows readme.txt from the program's data folders, read once at start-up.
#pragma once

#include "widgets/t_form.h"
#include "widgets/t_memo.h"

class TForm3 : public TForm {
    Q_OBJECT

public:
    TForm3();

    TMemo* Memo1;

    void FormCreate();
};

extern TForm3* Form3;
