// The language window: its controls, creation, compact and editor modes, keys and closing.
#include "localisation/language_window.h"

#include <QCloseEvent>
#include <QFile>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "localisation/language_bullets.h"
#include "localisation/language_delegates.h"
#include "localisation/qt_translations.h"
#include "localisation/tree_node_data.h"
#include "widgets/data_files.h"
#include "widgets/platform.h"
#include "widgets/t_button.h"
#include "widgets/t_combo_box.h"
#include "widgets/t_edit.h"
#include "widgets/t_image_list.h"
#include "widgets/t_label.h"
#include "widgets/t_list_box.h"
#include "widgets/t_tree_view.h"

TLocalisation* Localisation = nullptr;

namespace {

// Distance kept below the tree by the editor's sizing.
constexpr int kBottomMargin = 40;
constexpr int kCompactHeight = 80;
// The layout's frame parts, as TForm counts them in Width() and Height().
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 34;

} // namespace

TLocalisation::TLocalisation() : TForm(QStringLiteral("Localisation")) {
    SetCaption(QStringLiteral("Select a language or Press Shift+F2"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    SetClientSize(416, 418);
    CreateControls();
    SetKeyPreview(true);
    OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { OnKeyDownHandler(key, shift); };
    FormCreate();
}

TLocalisation::~TLocalisation() {
    // The stores go first; the tree they fill is a child widget and goes with the window.
    PrimaryStore.AttachTree(nullptr);
    ApplyQtTranslations(0);
}

TComboBox* TLocalisation::LanguageBox(const QString& name) {
    auto* box = new TComboBox(this, Client(), name);
    box->SetTag(-7);
    box->setMaxVisibleItems(LanguageCount);
    box->setItemDelegate(
        new LanguageItemDelegate(box, [this, box](QPainter& p, const QRect& r, int i, bool s) {
            ComboBoxLanguageDrawItem(box, p, r, i, s);
        }));
    box->installEventFilter(this);
    return box;
}

void TLocalisation::CreateControls() {
    Language = new TLabel(this, Client(), QStringLiteral("Language"));
    Language->SetAutoSize(false);
    Language->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Language->SetCaption(QStringLiteral("Language :"));
    Language->setGeometry(8, 12, 70, 17);

    ComboBoxLanguage = LanguageBox(QStringLiteral("ComboBoxLanguage"));
    QStringList names;
    for (const TLanguage& language : Languages())
        names.append(language.ComboText);
    ComboBoxLanguage->Items()->Assign(names);
    ComboBoxLanguage->setGeometry(84, 9, 180, 24);
    ComboBoxLanguage->OnChange = [this] { cbLanguageChange(); };

    ButtonExit = new TButton(this, Client(), QStringLiteral("ButtonExit"));
    ButtonExit->SetCaption(QStringLiteral("OK"));
    ButtonExit->setGeometry(272, 8, 75, 25);
    ButtonExit->OnClick = [this] { OnClickExit(); };

    ButtonSave = new TButton(this, Client(), QStringLiteral("ButtonSave"));
    ButtonSave->SetCaption(QStringLiteral("&Enregistrer"));
    ButtonSave->setGeometry(8, 40, 70, 25);
    ButtonSave->OnClick = [this] { OnClickSave(); };

    cbSecondaryLanguage = LanguageBox(QStringLiteral("cbSecondaryLanguage"));
    cbSecondaryLanguage->setGeometry(84, 41, 180, 24);
    cbSecondaryLanguage->OnChange = [this] { cbSecondaryLanguageChange(); };

    ButtonNextNewElement = new TButton(this, Client(), QStringLiteral("ButtonNextNewElement"));
    ButtonNextNewElement->SetCaption(QStringLiteral(">>"));
    ButtonNextNewElement->SetHint(QStringLiteral("Cherche le texte / atteint la prochaine puce rouge"));
    ButtonNextNewElement->SetTag(-1);
    ButtonNextNewElement->setFont(QFont(QStringLiteral("Arial"), 7));
    ButtonNextNewElement->setGeometry(268, 41, 22, 23);
    ButtonNextNewElement->OnClick = [this] { ButtonNextClick(); };

    EditText = new TEdit(this, Client(), QStringLiteral("EditText"));
    EditText->setGeometry(294, 41, 114, 24);
    connect(EditText, &QLineEdit::returnPressed, this, [this] { EditTextKeyPress(); });

    ImageList = new TImageList(this, QStringLiteral("ImageList"));
    for (const QImage& bullet : TranslationBullets())
        ImageList->Add(bullet);

    TreeView = new TTreeView(this, Client(), QStringLiteral("TreeView"));
    TreeView->SetTag(-7);
    TreeView->setGeometry(8, 72, 400, 306);
    TreeView->setIndentation(19);
    TreeView->SetImages(ImageList);
    TreeView->setEditTriggers(QAbstractItemView::SelectedClicked);
    TreeView->setItemDelegate(new NodeEditDelegate(
        TreeView, [this](QTreeWidgetItem* node) { OnElementEditing(node); },
        [this](QTreeWidgetItem* node, const QString& text) { OnElementEdited(node, text); },
        [this](QTreeWidgetItem*) { editing_ = nullptr; }));
    connect(TreeView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { TreeViewChange(node); });

    Constants = HiddenTextList(this, QStringLiteral("Constants"),
                               {QStringLiteral("Changer toutes les occurrences ?"),
                                QStringLiteral("Voulez-vous sauvegarder les changements ?")});
    DialogCaptions = HiddenTextList(this, QStringLiteral("DialogCaptions"),
                                    {QStringLiteral("Attention"), QStringLiteral("Erreur"),
                                     QStringLiteral("Information"), QStringLiteral("Confirmation")});
    ButtonCaptions =
        HiddenTextList(this, QStringLiteral("ButtonCaptions"),
                       {QStringLiteral("Oui"), QStringLiteral("Non"), QStringLiteral("Ok"),
                        QStringLiteral("Annuler"), QStringLiteral("Abandon"), QStringLiteral("Réessayer"),
                        QStringLiteral("Ignorer"), QStringLiteral("Tous"), QStringLiteral("Non pour tous"),
                        QStringLiteral("Oui pour tous"), QStringLiteral("Aide")});
}

// Registers every window that exists now (this one included) and shows the language of the
// default-language file, when there is one.
void TLocalisation::FormCreate() {
    CurrentLangId = 0;
    OnLanguageChange = nullptr;
    TreeView->SetTag(-7);
    for (QWidget* control : {static_cast<QWidget*>(TreeView), static_cast<QWidget*>(EditText),
                             static_cast<QWidget*>(cbSecondaryLanguage), static_cast<QWidget*>(ButtonSave),
                             static_cast<QWidget*>(ButtonNextNewElement)})
        control->setVisible(false);
    const QRect exit = ButtonExit->geometry();
    ComboBoxLanguage->move(ComboBoxLanguage->x(), exit.bottom() - ComboBoxLanguage->height() + 1);

    SetCompactSize();

    Modified = false;
    PrimaryStore.AttachTree(TreeView);
    PrimaryStore.RegisterForms();
    cbSecondaryLanguage->Items()->Assign(ComboBoxLanguage->Items()->ToStringList());
    cbSecondaryLanguage->SetItemIndex(-1);
    Available = MigrateLanguageFiles();

    const QString default_file = DefaultLanguageFileName();
    if (QFile::exists(default_file) && LanguageFileReadable(default_file) &&
        PrimaryStore.LoadFromFile(default_file)) {
        CurrentLangId = PrimaryStore.LangId;
        qCInfo(lcDataFiles) << "default language" << default_file;
    }
    // A default file of a language the window doesn't list selects nothing.
    CurrentIndex = LanguageIndexOf(CurrentLangId);
    ApplyQtTranslations(CurrentLangId);
    if (CurrentLangId != 0) {
        PrimaryStore.ApplyAll();
        UseDefaultFile = true;
    } else {
        TreeView->setEnabled(false);
        ButtonSave->setEnabled(false);
        UseDefaultFile = false;
    }
    ComboBoxLanguage->SetItemIndex(CurrentIndex);
    const QRect secondary = cbSecondaryLanguage->geometry();
    ButtonNextNewElement->setGeometry(ButtonNextNewElement->x(), secondary.y(), ButtonNextNewElement->width(),
                                      secondary.height() - 1);
}

bool TLocalisation::EditorOpen() const {
    return !TreeView->isHidden();
}

bool TLocalisation::IsEditingNode() const {
    return editing_ != nullptr;
}

void TLocalisation::SetWindowSize(int width, int height) {
    resize(qMax(1, width - kFrameWidth), qMax(1, height - kFrameHeight));
}

void TLocalisation::SetCompactSize() {
    MinWidth = ButtonExit->x() + ButtonExit->width() + 20;
    MinHeight = kCompactHeight;
    UpdateTrackLimits();
    SetWindowSize(MinWidth, MinHeight);
}

// The compact window can't be resized; the editor can grow but not shrink below its layout.
void TLocalisation::UpdateTrackLimits() {
    const QSize minimum(qMax(1, MinWidth - kFrameWidth), qMax(1, MinHeight - kFrameHeight));
    setMinimumSize(minimum);
    setMaximumSize(ButtonSave->isHidden() ? minimum : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

void TLocalisation::OpenEditor() {
    if (EditorOpen())
        return;
    MinWidth = 2 * TreeView->x() + TreeView->width();
    MinHeight = TreeView->y() + TreeView->height() + kBottomMargin;
    for (QWidget* control : {static_cast<QWidget*>(ButtonSave), static_cast<QWidget*>(ButtonNextNewElement),
                             static_cast<QWidget*>(TreeView), static_cast<QWidget*>(EditText),
                             static_cast<QWidget*>(cbSecondaryLanguage)})
        control->setVisible(true);
    UpdateTrackLimits();
    SetWindowSize(MinWidth, MinHeight);
    EditText->clear();
    TreeView->setAutoScroll(false);
    RefreshTreeKeepSelection();
    FocusTree();
}

void TLocalisation::FormResize() {
    if (EditorOpen()) {
        TreeView->resize(qMax(1, Width() - 2 * TreeView->x()),
                         qMax(1, Height() - TreeView->y() - kBottomMargin));
    }
    if (!EditText->isHidden()) {
        const int right = TreeView->x() + TreeView->width();
        EditText->resize(qMax(1, right - EditText->x()), EditText->height());
    }
}

void TLocalisation::resizeEvent(QResizeEvent* event) {
    TForm::resizeEvent(event);
    FormResize();
}

void TLocalisation::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    Language->update();
}

void TLocalisation::FocusTree() {
    if (EditorOpen() && TreeView->isEnabled())
        TreeView->setFocus();
}

void TLocalisation::OnClickExit() {
    Close();
}

// Asked when unsaved changes would be lost. Yes saves; false when the user cancels or the save failed
// (it has been reported), so that nothing goes on to lose the changes.
bool TLocalisation::AskToSave() {
    const auto answer = CurrentPlatform().Ask(this, Constants->Items()->Strings(1),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes) {
        // Without a chosen language there is nothing to save to, and nothing to report.
        const bool can_save = CurrentIndex >= 0 && CurrentIndex < LanguageCount;
        OnClickSave();
        return !can_save || !Modified;
    }
    return true;
}

void TLocalisation::closeEvent(QCloseEvent* event) {
    if (Modified && !AskToSave()) {
        event->ignore();
        return;
    }
    TForm::closeEvent(event);
    if (event->isAccepted())
        FormClose();
}

// Back to the compact window, hidden until it is shown again.
void TLocalisation::FormClose() {
    for (QWidget* control : {static_cast<QWidget*>(TreeView), static_cast<QWidget*>(EditText),
                             static_cast<QWidget*>(cbSecondaryLanguage), static_cast<QWidget*>(ButtonSave),
                             static_cast<QWidget*>(ButtonNextNewElement)})
        control->setVisible(false);
    SetCompactSize();
    cbSecondaryLanguage->SetItemIndex(-1);
    EditText->clear();
}

void TLocalisation::OnKeyDownHandler(int& key, Qt::KeyboardModifiers shift) {
    const Qt::KeyboardModifiers mods = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // Keys typed into the node editor belong to it.
    if (IsEditingNode())
        return;
    const bool with_shift = mods & Qt::ShiftModifier;
    switch (key) {
    case Qt::Key_Escape:
        Close();
        break;
    case Qt::Key_F2:
        if (with_shift)
            OpenEditor();
        else if (TreeView->hasFocus())
            TreeViewKeyDown(key, shift);
        else
            return;
        break;
    case Qt::Key_F3:
        ButtonNextClick();
        break;
    case Qt::Key_F5:
        if (with_shift)
            Rescan();
        else
            RefreshTreeKeepSelection();
        break;
    case Qt::Key_F9:
        if (mods == Qt::NoModifier)
            ToggleNew(TreeView->currentItem());
        else if (mods == Qt::ShiftModifier)
            ToggleNewAll();
        else if (mods == (Qt::ShiftModifier | Qt::AltModifier) ||
                 mods == (Qt::ShiftModifier | Qt::ControlModifier))
            ClearNewFlags();
        else
            return;
        break;
    case Qt::Key_Delete:
        if (mods == Qt::ShiftModifier)
            PurgeAbsentEntries(false);
        else if (mods == (Qt::ShiftModifier | Qt::AltModifier))
            PurgeAbsentEntries(true);
        else
            return;
        break;
    case Qt::Key_C:
        if (mods != Qt::ControlModifier || EditText->hasFocus())
            return;
        CopyTableToClipboard();
        break;
    default:
        return;
    }
    key = 0;
}

// F2 edits the selected node's text in place.
void TLocalisation::TreeViewKeyDown(int& key, Qt::KeyboardModifiers shift) {
    if (key != Qt::Key_F2 || (shift & Qt::ShiftModifier))
        return;
    if (QTreeWidgetItem* node = TreeView->currentItem())
        TreeView->editItem(node);
    key = 0;
}

// The closed language boxes draw their chosen item by the same rule as their rows.
bool TLocalisation::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QComboBox*>(watched);
    if (!box || event->type() != QEvent::Paint || (box != ComboBoxLanguage && box != cbSecondaryLanguage))
        return TForm::eventFilter(watched, event);
    QStylePainter painter(box);
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = false;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    if (box->currentIndex() >= 0)
        ComboBoxLanguageDrawItem(box, painter, field, box->currentIndex(), false);
    return true;
}
