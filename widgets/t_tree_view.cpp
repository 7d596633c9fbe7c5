#include "widgets/t_tree_view.h"

#include <QPixmap>

#include "widgets/component_setup.h"
#include "widgets/t_image_list.h"

TTreeView::TTreeView(TForm* owner, QWidget* parent, const QString& name)
    : QTreeWidget(parent), items_(new TTreeNodes(this)) {
    SetUpComponent(this, owner, name);
    setHeaderHidden(true);
    setColumnCount(1);
}

void TTreeView::SetHint(const QString& hint) {
    hint_ = hint;
    ShowHint(this, hint);
}

void TTreeView::SetImageIndex(QTreeWidgetItem* node, int index) {
    if (!node || !images_ || index < 0 || index >= images_->Count())
        return;
    node->setIcon(0, QIcon(QPixmap::fromImage(images_->Image(index))));
}
