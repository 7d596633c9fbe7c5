#include "widgets/t_image_list.h"

#include "widgets/component_setup.h"
#include "widgets/t_form.h"

TImageList::TImageList(TForm* owner, const QString& name, int width, int height)
    : QObject(owner), width_(width), height_(height) {
    SetUpComponent(this, owner, name);
}

int TImageList::Add(const QImage& image) {
    images_.append(image.size() == QSize(width_, height_) ? image : image.scaled(width_, height_));
    return Count() - 1;
}
