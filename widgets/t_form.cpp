#include "widgets/t_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QStatusBar>

namespace {

// The layouts give outer window sizes; these are the frame parts that Qt leaves to the window manager.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 34;

// A status bar is ours, not the layout's: the layouts' heights leave it out.
int StatusBarHeight(const QMainWindow* window) {
    const auto* bar = window->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    return bar ? bar->sizeHint().height() : 0;
}

QList<TForm*>& LiveForms() {
    static QList<TForm*> forms;
    return forms;
}

} // namespace

TForm::TForm(const QString& name) : client_(new QWidget(this)) {
    setObjectName(name);
    setCentralWidget(client_);
    LiveForms().append(this);
}

TForm::~TForm() {
    LiveForms().removeOne(this);
    // The components die after this body has run, with the list already gone: stop their notices.
    for (QObject* component : std::as_const(components_))
        disconnect(component, &QObject::destroyed, this, nullptr);
    if (key_preview_)
        qApp->removeEventFilter(this);
}

const QList<TForm*>& TForm::Forms() {
    return LiveForms();
}

QObject* TForm::FindComponent(const QString& name) const {
    for (QObject* component : components_) {
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    }
    return nullptr;
}

void TForm::InsertComponent(QObject* component) {
    components_.append(component);
    connect(component, &QObject::destroyed, this, [this](QObject* gone) { components_.removeOne(gone); });
}

void TForm::SetBounds(int left, int top, int width, int height) {
    move(left, top);
    resize(qMax(1, width - kFrameWidth), qMax(1, height - kFrameHeight + StatusBarHeight(this)));
}

void TForm::SetClientSize(int width, int height) {
    const int menu_height = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    resize(width, height + menu_height);
}

int TForm::Width() const {
    return width() + kFrameWidth;
}

int TForm::Height() const {
    return height() + kFrameHeight - StatusBarHeight(this);
}

void TForm::Show() {
    show();
    raise();
}

void TForm::ShowModal() {
    hide();
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    const auto connection = connect(this, &TForm::Hidden, &loop, &QEventLoop::quit);
    show();
    loop.exec();
    disconnect(connection);
    setWindowModality(Qt::NonModal);
}

void TForm::SetKeyPreview(bool on) {
    if (on == key_preview_)
        return;
    key_preview_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void TForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

void TForm::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    // Minimising is a hide from the window system; only an explicit hide ends a modal show.
    if (!event->spontaneous())
        emit Hidden();
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !OnKeyDown)
        return false;
    // A key goes first to the focused control and then up to its parents; look at it only once.
    QWidget* focus = QApplication::focusWidget();
    const bool first_receiver = watched == focus || (focus == nullptr && watched == this);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!first_receiver || widget == nullptr || widget->window() != this)
        return false;
    auto* key_event = static_cast<QKeyEvent*>(event);
    int key = key_event->key();
    OnKeyDown(key, key_event->modifiers());
    return key == 0;
}
