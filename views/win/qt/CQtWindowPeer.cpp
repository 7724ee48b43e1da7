#include "views/win/qt/CQtWindowPeer.h"

#include "views/win/Win32.h"
#include "views/win/qt/QtBackend.h"
#include "views/win/qt/QtKeyMap.h"
#include "views/win/qt/QtPlatform.h"
#include "views/win/qt/QtWindowFlags.h"
#include "views/win/resources/Resources.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kwin::qt {
namespace {

QRect ToQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

QPixmap IconPixmap(HICON icon, double ratio) {
    const auto image = IconImage(icon, ratio);
    if (!image) {
        return {};
    }
    QImage copy(reinterpret_cast<const uchar*>(image->Bits()), image->PixelWidth(),
                image->PixelHeight(), image->BytesPerLine(), QImage::Format_ARGB32);
    QPixmap pixmap = QPixmap::fromImage(copy.copy());
    pixmap.setDevicePixelRatio(image->Ratio());
    return pixmap;
}

// The pixel of a window under a position in it, which Qt gives in logical
// units: the window's pixel edges divided by its ratio.
int PixelAt(double position, double ratio) {
    constexpr double Slack = 1e-6;
    return static_cast<int>(std::floor(position * ratio + Slack));
}

} // namespace

CQtWindowWidget::CQtWindowWidget(HWND hwnd, QWidget* parent) : QWidget(parent), m_hwnd(hwnd) {
    constexpr int SizingQuietMs = 300;
    m_sizingEnd.setSingleShot(true);
    m_sizingEnd.setInterval(SizingQuietMs);
    QObject::connect(&m_sizingEnd, &QTimer::timeout, [this] {
        if (IsWindow(m_hwnd)) {
            DeliverSizingEnd(m_hwnd);
        }
    });
    m_refusalEnd.setSingleShot(true);
    m_refusalEnd.setInterval(SizingQuietMs);
    QObject::connect(&m_refusalEnd, &QTimer::timeout, [this] { EndMaximizeRefusal(); });
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    // The top-level window keeps the keyboard focus; its children never take it.
    setFocusPolicy(parent == nullptr ? Qt::StrongFocus : Qt::NoFocus);
}

// Qt paints the widget into the top-level window's backing store, or, for a
// grab, into a picture of its own.
bool CQtWindowWidget::PaintsIntoBackingStore() const {
    QBackingStore* store = window()->backingStore();
    return store != nullptr && redirected(nullptr) == store->paintDevice();
}

void CQtWindowWidget::paintEvent(QPaintEvent* event) {
    if (!IsWindow(m_hwnd)) {
        return;
    }
    const bool intoStore = PaintsIntoBackingStore();
    m_painting = true;
    if (intoStore) {
        RepaintWhatTheStoreLost(event->region());
    }
    const Surface* surface = GetWindowSurface(m_hwnd);
    if (surface != nullptr) {
        ShowSurface(*surface);
    }
    m_painting = false;
    if (surface != nullptr && surface->Ratio() != Surface::UsableRatio(devicePixelRatioF())) {
        DeliverRatioChange(GetAncestor(m_hwnd, GA_ROOT));
    }
    if (!m_deferred.isEmpty()) {
        update(m_deferred - event->region());
        m_deferred = QRegion();
    }
    if (intoStore) {
        LetGoOfSurface(event->region());
    }
}

// The layer paints what Qt asks for and it has not just changed itself:
// the store lost it, and the layer's pixels, taken back from the store,
// have nothing better there.
void CQtWindowWidget::RepaintWhatTheStoreLost(const QRegion& region) {
    if (!m_storeHoldsPixels) {
        return;
    }
    const QRegion lost =
        (region - m_changed).translated(-ClientOrigin()) & QRect(QPoint(), contentsRect().size());
    if (lost.isEmpty()) {
        return;
    }
    for (const QRect& r : lost) {
        const RECT client{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
        InvalidateRect(m_hwnd, &client, TRUE);
    }
    UpdateWindow(m_hwnd);
}

// The surface has the widget's ratio, so its pixels land one to one on the
// window's; a surface still at an earlier ratio is scaled for this once,
// and the layer is told to make it anew.
void CQtWindowWidget::ShowSurface(const Surface& surface) {
    if (surface.PixelWidth() == 0 || surface.PixelHeight() == 0) {
        return;
    }
    QImage image(reinterpret_cast<const uchar*>(surface.Bits()), surface.PixelWidth(),
                 surface.PixelHeight(), surface.BytesPerLine(), QImage::Format_RGB32);
    image.setDevicePixelRatio(surface.Ratio());
    QPainter painter(this); // clipped to the area to paint
    // The contents rectangle is the client area; a menu bar may sit above it.
    painter.drawImage(ClientOrigin(), image);
}

// The top-level window's backing store as an image with the widget's ratio,
// whose pixels can be read back; nullptr when it has another form.
const QImage* CQtWindowWidget::StoreImage() const {
    QBackingStore* store = window()->backingStore();
    const auto* image =
        store != nullptr ? dynamic_cast<const QImage*>(store->paintDevice()) : nullptr;
    if (image == nullptr || image->depth() != 32 ||
        image->devicePixelRatio() != Surface::UsableRatio(devicePixelRatioF())) {
        return nullptr;
    }
    return image;
}

// Once everything the layer changed that can be seen is in the store, at
// the layer's resolution, the layer lets go of its pixels.
void CQtWindowWidget::LetGoOfSurface(const QRegion& painted) {
    m_changed = (m_changed - painted) & visibleRegion();
    if (!m_changed.isEmpty() || StoreImage() == nullptr || !ReleaseWindowPixels(m_hwnd)) {
        return;
    }
    m_storeHoldsPixels = true;
    m_store = window()->backingStore();
    m_storeSize = m_store->size();
}

void CQtWindowWidget::SurfaceChanged(const QRect& client) {
    const QRect area = client.translated(ClientOrigin());
    m_changed += area;
    if (m_painting) {
        m_deferred += area;
    } else {
        update(area);
    }
}

// The store's pixels under the client area, from the store the layer left
// them in, while it has the size it had then: a store made anew or resized
// has lost them.
bool CQtWindowWidget::ReadShownPixels(Surface& surface) const {
    QBackingStore* store = window()->backingStore();
    if (!m_storeHoldsPixels || !isVisible() || store == nullptr || store != m_store ||
        store->size() != m_storeSize) {
        return false;
    }
    const QImage* image = StoreImage();
    if (image == nullptr || image->devicePixelRatio() != surface.Ratio()) {
        return false;
    }
    const double ratio = surface.Ratio();
    const QPoint origin = mapTo(window(), ClientOrigin());
    const int left = Surface::ToPixel(origin.x(), ratio);
    const int top = Surface::ToPixel(origin.y(), ratio);
    const int from = std::max(0, -left);
    const int to = std::min(surface.PixelWidth(), image->width() - left);
    if (from >= to) {
        return true;
    }
    // Rows of the store's own format: 0xAARRGGBB, the alpha made opaque where it has one.
    const bool opaque = !image->hasAlphaChannel();
    const int rows = std::min(surface.PixelHeight(), image->height() - top);
    for (int y = std::max(0, -top); y < rows; ++y) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(image->constScanLine(top + y));
        std::uint32_t* row = surface.PixelRow(y);
        std::copy(source + left + from, source + left + to, row + from);
        if (!opaque) {
            std::for_each(row + from, row + to, [](std::uint32_t& p) { p |= 0xFF000000u; });
        }
    }
    return true;
}

bool CQtWindowWidget::event(QEvent* event) {
    // Before Qt paints a top-level window, its windows paint what they have
    // pending, so that Qt shows all of it at once.
    if (event->type() == QEvent::UpdateRequest && isWindow() && IsWindow(m_hwnd)) {
        RedrawWindow(m_hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    // Sent to the widgets of a window that moved to another screen.
    if (event->type() == QEvent::ScreenChangeInternal && isWindow() && IsWindow(m_hwnd)) {
        DeliverRatioChange(m_hwnd);
    }
    return QWidget::event(event);
}

void CQtWindowWidget::DeliverMouseEvent(QMouseEvent* event, bool press) {
    if (!IsWindow(m_hwnd)) {
        return;
    }
    const HWND root = GetAncestor(m_hwnd, GA_ROOT);
    QWidget* rootWidget = WidgetOf(root);
    if (rootWidget == nullptr) {
        return;
    }
    const POINT p = ClientPoint(rootWidget, *event);
    MouseAction action = MouseAction::Move;
    if (event->type() != QEvent::MouseMove) {
        switch (event->button()) {
        case Qt::LeftButton:
            action = press ? MouseAction::LeftDown : MouseAction::LeftUp;
            break;
        case Qt::RightButton:
            action = press ? MouseAction::RightDown : MouseAction::RightUp;
            break;
        case Qt::MiddleButton:
            action = press ? MouseAction::MiddleDown : MouseAction::MiddleUp;
            break;
        default:
            return;
        }
    }
    DeliverMouse(root, action, p, ModifiersFromQt(event->modifiers()),
                 ButtonsFromQt(event->buttons()));
    event->accept();
}

// Where an event of this widget lies in the top-level window's widget. Qt
// gives a widget its position rounded to whole units, and the position in
// the window unrounded as the scene position; an event sent to the widget
// directly has the widget's own position there.
QPointF CQtWindowWidget::PositionInRoot(QWidget* rootWidget, const QSinglePointEvent& event) const {
    const QPointF rounded = mapTo(rootWidget, event.position());
    const QPointF scene = event.scenePosition();
    const bool sameUnit =
        std::abs(scene.x() - rounded.x()) <= 0.5 && std::abs(scene.y() - rounded.y()) <= 0.5;
    return sameUnit ? scene : rounded;
}

// An event's position in the client coordinates of the top-level window,
// whose widget is rootWidget. The point is the unit whose pixels, as this
// widget shows its surface, hold the pixel under the position; Qt puts the
// surface's first pixel on the window's pixel nearest to its logical origin.
// (A rounded position would put a click on the last pixels of a unit into
// the next one.)
POINT CQtWindowWidget::ClientPoint(QWidget* rootWidget, const QSinglePointEvent& event) const {
    const double ratio = rootWidget->devicePixelRatioF();
    const QPointF inRoot = PositionInRoot(rootWidget, event);
    const QPoint origin = mapTo(rootWidget, contentsRect().topLeft());
    const QPoint clientOrigin = rootWidget->contentsRect().topLeft();
    const auto unit = [ratio](double at, int from) {
        return Surface::ToLogical(PixelAt(at, ratio) - Surface::ToPixel(from, ratio), ratio) + from;
    };
    return POINT{unit(inRoot.x(), origin.x()) - clientOrigin.x(),
                 unit(inRoot.y(), origin.y()) - clientOrigin.y()};
}

void CQtWindowWidget::mousePressEvent(QMouseEvent* event) {
    DeliverMouseEvent(event, true);
}
void CQtWindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    DeliverMouseEvent(event, false);
}
// The core decides about double clicks itself (class style, time, distance).
void CQtWindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    DeliverMouseEvent(event, true);
}
void CQtWindowWidget::mouseMoveEvent(QMouseEvent* event) {
    DeliverMouseEvent(event, false);
}

void CQtWindowWidget::wheelEvent(QWheelEvent* event) {
    if (!IsWindow(m_hwnd)) {
        return;
    }
    const HWND root = GetAncestor(m_hwnd, GA_ROOT);
    QWidget* rootWidget = WidgetOf(root);
    if (rootWidget == nullptr) {
        return;
    }
    DeliverMouse(root, MouseAction::Wheel, ClientPoint(rootWidget, *event),
                 ModifiersFromQt(event->modifiers()), ButtonsFromQt(event->buttons()),
                 event->angleDelta().y());
    event->accept();
}

void CQtWindowWidget::DeliverKeyEvent(QKeyEvent* event, bool down) {
    if (!IsWindow(m_hwnd)) {
        return;
    }
    bool extended = false;
    const UINT vk = VirtualKeyFromQt(event->key(), event->modifiers(), extended);
    if (vk == 0) {
        event->ignore();
        return;
    }
    char32_t ch = 0;
    const QString text = event->text();
    if (down && !text.isEmpty()) {
        ch = text.toUcs4().value(0);
    }
    const quint32 native = event->nativeScanCode();
    const UINT scan = native > 8 ? native - 8 : 0;
    DeliverKey(GetAncestor(m_hwnd, GA_ROOT), down, vk, scan, extended, event->isAutoRepeat(),
               ModifiersFromQt(event->modifiers()), ch);
    event->accept();
}

void CQtWindowWidget::keyPressEvent(QKeyEvent* event) {
    DeliverKeyEvent(event, true);
}
void CQtWindowWidget::keyReleaseEvent(QKeyEvent* event) {
    DeliverKeyEvent(event, false);
}

bool CQtWindowWidget::focusNextPrevChild(bool) {
    return false;
} // Tab is a key like any other

void CQtWindowWidget::closeEvent(QCloseEvent* event) {
    // The window decides: WM_SYSCOMMAND SC_CLOSE, then WM_CLOSE, then perhaps DestroyWindow.
    event->ignore();
    if (IsWindow(m_hwnd)) {
        DeliverClose(m_hwnd);
    }
}

void CQtWindowWidget::ReportGeometry() {
    if (m_applyingGeometry || !isWindow() || !isVisible() || !IsWindow(m_hwnd)) {
        return;
    }
    if (m_refusalEnd.isActive()) {
        m_refusalEnd.start(); // the window manager is still moving it about
        return;
    }
    QRect g = geometry().marginsRemoved(contentsMargins());
    if (DesktopManagesWindows()) {
        // The desktop never says where the window is (Qt shows the screen's
        // corner): the window stays where the layer has it, and only a new
        // size counts.
        POINT origin{0, 0};
        ClientToScreen(m_hwnd, &origin);
        g.moveTopLeft(QPoint(origin.x, origin.y));
    }
    const RECT client{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    RECT current;
    GetClientRect(m_hwnd, &current);
    if (current.right == g.width() && current.bottom == g.height()) {
        DeliverGeometry(m_hwnd, client);
        return;
    }
    // A size the layer did not set comes from the user dragging an edge, or
    // from the window manager.
    if (!m_sizingEnd.isActive()) {
        GetWindowRect(m_hwnd, &m_rectBeforeSizing);
    }
    DeliverSizing(m_hwnd, client);
    m_sizingEnd.start();
}

void CQtWindowWidget::moveEvent(QMoveEvent*) {
    ReportGeometry();
}
void CQtWindowWidget::resizeEvent(QResizeEvent*) {
    ReportGeometry();
}

void CQtWindowWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isWindow() && isActiveWindow() &&
        IsWindow(m_hwnd)) {
        DeliverActivation(m_hwnd, true);
    }
    if (event->type() == QEvent::WindowStateChange) {
        RefuseMaximizeWithoutMaximizeBox();
    }
    QWidget::changeEvent(event);
}

DWORD CQtWindowWidget::Style() const {
    return IsWindow(m_hwnd) ? static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_STYLE)) : 0;
}

bool CQtWindowWidget::MaximizedWithoutMaximizeBox() const {
    return isWindow() && (windowState() & Qt::WindowMaximized) && !(Style() & WS_MAXIMIZEBOX);
}

// Some window managers offer maximising whatever the window asks for. A
// window without WS_MAXIMIZEBOX asks for its normal state back and ignores
// the sizes the window manager tries meanwhile; once they stop, it takes the
// rectangle it had before the maximising (the resize may come before or after
// the state).
void CQtWindowWidget::RefuseMaximizeWithoutMaximizeBox() {
    if (!MaximizedWithoutMaximizeBox()) {
        return;
    }
    // A sizing run already begun keeps its first rectangle and ends with the
    // refusal.
    if (!m_refusalEnd.isActive()) {
        if (m_sizingEnd.isActive()) {
            m_sizingEnd.stop();
        } else {
            GetWindowRect(m_hwnd, &m_rectBeforeSizing);
        }
    }
    m_refusalEnd.start();
    QTimer::singleShot(0, this, [this] { setWindowState(windowState() & ~Qt::WindowMaximized); });
}

void CQtWindowWidget::EndMaximizeRefusal() {
    if (!IsWindow(m_hwnd)) {
        return;
    }
    const RECT& r = m_rectBeforeSizing;
    SetWindowPos(m_hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    DeliverSizingEnd(m_hwnd); // nothing when no sizing run was under way
    // The window's rectangle may not have changed, while the widget's has.
    RECT client{};
    GetClientRect(m_hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(m_hwnd, &origin);
    const QRect target =
        QRect(origin.x, origin.y, client.right, client.bottom).marginsAdded(contentsMargins());
    m_applyingGeometry = true;
    ApplyGeometry(target);
    m_applyingGeometry = false;
}

void CQtWindowWidget::ApplyGeometry(const QRect& target) {
    if (isWindow() && DesktopManagesWindows()) {
        resize(target.size());
    } else {
        setGeometry(target);
    }
}

void CQtWindowWidget::FixSizeUnlessSizable(const QSize& size) {
    if (!isWindow()) {
        return;
    }
    if (!(Style() & WS_THICKFRAME)) {
        setFixedSize(size);
    } else if (minimumSize() == maximumSize()) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

CQtWindowPeer::CQtWindowPeer(HWND hwnd, QWidget* parentWidget)
    : m_widget(new CQtWindowWidget(hwnd, parentWidget)) {}

CQtWindowPeer::~CQtWindowPeer() {
    if (m_widget) {
        m_widget->hide();
        m_widget->setParent(nullptr);
        // The widget may be inside one of its own event handlers.
        m_widget->deleteLater();
    }
}

void CQtWindowPeer::SetVisible(bool visible, bool activate) {
    if (!m_widget) {
        return;
    }
    if (visible && m_widget->isWindow()) {
        KeepWithOwner(m_widget->Hwnd(), m_widget);
    }
    m_widget->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    m_widget->SetApplyingGeometry(true);
    m_widget->setVisible(visible);
    m_widget->SetApplyingGeometry(false);
    // A dialog becomes the active window while still hidden, when it puts the
    // focus on its first control; the desktop could not activate it then, and
    // nothing asks again once it is shown. Without a window manager that
    // activates new windows by itself, it would never get the keyboard.
    if (visible && activate && m_widget->isWindow() && GetActiveWindow() == m_widget->Hwnd()) {
        Activate();
    }
}

void CQtWindowPeer::SetClientGeometry(const RECT& client) {
    if (!m_widget) {
        return;
    }
    // A child's place is in its parent's client area, below any menu bar.
    const QPoint parentOrigin = m_widget->parentWidget() != nullptr && !m_widget->isWindow()
                                    ? m_widget->parentWidget()->contentsRect().topLeft()
                                    : QPoint();
    const QRect target =
        ToQRect(client).marginsAdded(m_widget->contentsMargins()).translated(parentOrigin);
    const bool sizeOnly = m_widget->isWindow() && DesktopManagesWindows();
    if (sizeOnly ? m_widget->size() == target.size() : m_widget->geometry() == target) {
        return;
    }
    m_widget->SetApplyingGeometry(true);
    m_widget->FixSizeUnlessSizable(target.size());
    m_widget->ApplyGeometry(target);
    m_widget->SetApplyingGeometry(false);
}

void CQtWindowPeer::SetText(const std::string& text) {
    if (m_widget && m_widget->isWindow()) {
        m_widget->setWindowTitle(QString::fromStdString(text));
    }
}

void CQtWindowPeer::Flush(const RECT& client) {
    if (m_widget) {
        m_widget->SurfaceChanged(ToQRect(client));
    }
}

bool CQtWindowPeer::ReadPixels(Surface& surface) const {
    return m_widget && m_widget->ReadShownPixels(surface);
}

double CQtWindowPeer::DevicePixelRatio() const {
    return m_widget ? m_widget->devicePixelRatioF() : 1.0;
}

void CQtWindowPeer::SetEnabled(bool enabled) {
    if (m_widget) {
        m_widget->setEnabled(enabled);
    }
}

void CQtWindowPeer::Raise() {
    if (m_widget && !m_widget->isWindow()) {
        m_widget->raise();
    }
}

void CQtWindowPeer::Activate() {
    if (m_widget && m_widget->isWindow() && m_widget->isVisible()) {
        if (!DesktopManagesWindows()) {
            m_widget->activateWindow();
        }
        m_widget->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void CQtWindowPeer::IconChanged() {
    if (!m_widget || !m_widget->isWindow()) {
        return;
    }
    QIcon icon;
    const HWND hwnd = m_widget->Hwnd();
    // Each icon as drawn for one pixel per unit and, on a scaled screen, for its ratio.
    std::vector<double> ratios{1.0};
    if (m_widget->devicePixelRatioF() > 1.0) {
        ratios.push_back(m_widget->devicePixelRatioF());
    }
    for (WPARAM kind : {ICON_BIG, ICON_SMALL}) {
        const auto handle = reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, kind, 0));
        for (double ratio : ratios) {
            const QPixmap pixmap = IconPixmap(handle, ratio);
            if (!pixmap.isNull()) {
                icon.addPixmap(pixmap);
            }
        }
    }
    m_widget->setWindowIcon(icon);
}

} // namespace kwin::qt
