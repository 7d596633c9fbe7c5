// TLocalisation, the language window. For now an empty window; the language choice and the
// translation editor come with the localisation work.
#pragma once

#include "widgets/t_form.h"

class TLocalisation : public TForm {
    Q_OBJECT

public:
    TLocalisation();

    void FormCreate() {}
};

extern TLocalisation* Localisation;
