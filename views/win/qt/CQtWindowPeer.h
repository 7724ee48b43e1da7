#pragma once

#include "views/win/qt/CQtPeer.h"

#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>

class QBackingStore;
class QImage;
class QSinglePointEvent;

namespace kwin::qt {

// The widget of an ordinary window: it shows the window's surface and turns
// the mouse and keyboard into messages. Mouse events are handed to the core
// in the coordinates of the top-level window, which finds the target window
// itself (capture, HTTRANSPARENT children).
class CQtWindowWidget : public QWidget {
public:
    CQtWindowWidget(HWND hwnd, QWidget* parent);
    HWND Hwnd() const { return m_hwnd; }
    void SetApplyingGeometry(bool applying) { m_applyingGeometry = applying; }
    // A top-level window without a sizing border keeps the size the layer
    // gives it, so the desktop offers neither resizing nor maximising.
    void FixSizeUnlessSizable(const QSize& size);
    // Gives the widget this rectangle, or only its size where the desktop
    // places top-level windows itself.
    void ApplyGeometry(const QRect& target);
    // The layer changed these pixels of the client area.
    void SurfaceChanged(const QRect& client);
    // Copies what the window shows from the top-level window's backing store.
    bool ReadShownPixels(Surface& surface) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QPoint ClientOrigin() const { return contentsRect().topLeft(); }
    bool PaintsIntoBackingStore() const;
    const QImage* StoreImage() const;
    void RepaintWhatTheStoreLost(const QRegion& region);
    void ShowSurface(const Surface& surface);
    void LetGoOfSurface(const QRegion& painted);
    QPointF PositionInRoot(QWidget* rootWidget, const QSinglePointEvent& event) const;
    POINT ClientPoint(QWidget* rootWidget, const QSinglePointEvent& event) const;
    void DeliverMouseEvent(QMouseEvent* event, bool press);
    void DeliverKeyEvent(QKeyEvent* event, bool down);
    void ReportGeometry();
    DWORD Style() const;
    bool MaximizedWithoutMaximizeBox() const;
    void RefuseMaximizeWithoutMaximizeBox();
    void EndMaximizeRefusal();

    HWND m_hwnd;
    bool m_applyingGeometry = false;
    // A drag of the window's edges ends when no resize came for a moment.
    QTimer m_sizingEnd;
    RECT m_rectBeforeSizing{};
    // A maximising the window refuses ends when the sizes stop coming.
    QTimer m_refusalEnd;

    // Once the layer has let go of the window's pixels, the backing store
    // holds the only copy. What the layer changed since the last paint
    // (m_changed) is in the layer's pixels; anything else Qt asks to paint
    // was lost from the store (resized, uncovered) and is painted anew.
    bool m_storeHoldsPixels = false;
    bool m_painting = false;
    QRegion m_changed;
    // What the layer changed while Qt was painting, to paint afterwards.
    QRegion m_deferred;
    // The store the pixels were left in, and its size then.
    const QBackingStore* m_store = nullptr;
    QSize m_storeSize;
};

class CQtWindowPeer final : public CQtPeer {
public:
    CQtWindowPeer(HWND hwnd, QWidget* parentWidget);
    ~CQtWindowPeer() override;

    QWidget* Widget() const override { return m_widget; }
    void SetVisible(bool visible, bool activate) override;
    void SetClientGeometry(const RECT& client) override;
    void SetText(const std::string& text) override;
    void Flush(const RECT& client) override;
    void SetEnabled(bool enabled) override;
    void Raise() override;
    void Activate() override;
    void IconChanged() override;
    double DevicePixelRatio() const override;
    bool ReadPixels(Surface& surface) const override;

private:
    QPointer<CQtWindowWidget> m_widget;
};

} // namespace kwin::qt
