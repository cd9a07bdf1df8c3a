#include "widgets/chameleonButton.h"

#include "qtcompat/QtCompat.h"
#include "widgets/PropertyBag.h"
#include "widgets/chameleonColors.h"
#include "widgets/chameleonDraw.h"
#include "widgets/chameleonKeys.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>
#include <limits>

using namespace chameleonColors;

namespace {
constexpr int HoverPollMs = 40;

// A widget's palette answers in the colour group of its current state (disabled, inactive
// window). System colours stand for the enabled, active colours; the disabled look is
// drawn from them, so they are always read from that group.
QPalette normalColors(QPalette palette) {
    palette.setCurrentColorGroup(QPalette::Active);
    return palette;
}
} // namespace

// ===========================================================================================

chameleonButton::chameleonButton(QWidget* parent)
    : QWidget(parent), m_backColor(systemColor(ButtonFace)), m_backOver(m_backColor),
      m_foreColor(systemColor(ButtonText)), m_foreOver(m_foreColor) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_overTimer = new QTimer(this);
    m_overTimer->setObjectName(QStringLiteral("OverTimer"));
    m_overTimer->setInterval(HoverPollMs);
    connect(m_overTimer, &QTimer::timeout, this, &chameleonButton::checkHover);
    m_enabledProp = true;
    computePalette();
    updateAccessKey();
    computeCaptionLayout();
}

chameleonButton::~chameleonButton() = default;

QSize chameleonButton::sizeHint() const {
    const QFontMetrics fm(font());
    QString shown = m_caption;
    shown.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(QLatin1Char('&'));
    shown.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return QSize(std::max(75, fm.horizontalAdvance(shown) + 16), std::max(25, fm.height() + 10));
}

quintptr chameleonButton::hWnd() const {
    // Child widgets have no native window of their own; the widget is its own handle.
    return reinterpret_cast<quintptr>(this);
}

bool chameleonButton::Enabled() const {
    return !testAttribute(Qt::WA_ForceDisabled);
}

// --- properties --------------------------------------------------------------------------------

void chameleonButton::setButtonType(int look) {
    m_buttonType = look;
    if (look == 5 && m_designMode) {
        QFont f = font();
        f.setBold(true);
        setFont(f);
    }
    if (look == 11 && isVisible())
        captureBackground();
    computePalette();
    reshape();
    emit PropertyChanged(QStringLiteral("BTYPE"));
}

void chameleonButton::setCaption(const QString& caption) {
    m_caption = caption;
    updateAccessKey();
    computeCaptionLayout();
    drawState(m_requestedState, false);
    updateGeometry();
    emit PropertyChanged(QStringLiteral("TX"));
}

void chameleonButton::setFontBold(bool on) {
    if (font().bold() == on)
        return;
    QFont f = font();
    f.setBold(on);
    setFont(f);
    emit PropertyChanged(QStringLiteral("FONT"));
}

void chameleonButton::setFontItalic(bool on) {
    if (font().italic() == on)
        return;
    QFont f = font();
    f.setItalic(on);
    setFont(f);
    emit PropertyChanged(QStringLiteral("FONT"));
}

void chameleonButton::setFontUnderline(bool on) {
    if (font().underline() == on)
        return;
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
    emit PropertyChanged(QStringLiteral("FONT"));
}

void chameleonButton::setFontSize(double points) {
    if (!(points > 0) || font().pointSizeF() == points)
        return;
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
    emit PropertyChanged(QStringLiteral("FONT"));
}

void chameleonButton::setFontName(const QString& family) {
    if (font().family() == family)
        return;
    QFont f = font();
    f.setFamily(family);
    setFont(f);
    emit PropertyChanged(QStringLiteral("FONT"));
}

void chameleonButton::setColorScheme(int scheme) {
    m_colorScheme = scheme;
    computePalette();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("COLTYPE"));
}

void chameleonButton::setShowFocusRect(bool on) {
    m_showFocusRect = on;
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("FOCUSR"));
}

void chameleonButton::setBackColor(uint32_t color) {
    m_backColor = color;
    if (m_designMode)
        m_backOver = color;
    computePalette();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("BCOL"));
}

void chameleonButton::setBackOver(uint32_t color) {
    m_backOver = color;
    computePalette();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("BCOLO"));
}

void chameleonButton::setForeColor(uint32_t color) {
    m_foreColor = color;
    if (m_designMode)
        m_foreOver = color;
    computePalette();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("FCOL"));
}

void chameleonButton::setForeOver(uint32_t color) {
    m_foreOver = color;
    computePalette();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("FCOLO"));
}

void chameleonButton::setMaskColor(uint32_t color) {
    m_maskColor = color;
    computePalette();
    rebuildPictures();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("MCOL"));
}

void chameleonButton::setMousePointer(int pointer) {
    m_mousePointer = pointer;
    applyPointer();
    emit PropertyChanged(QStringLiteral("MPTR"));
}

void chameleonButton::setMouseIcon(const QPixmap& icon) {
    m_mouseIcon = icon;
    applyPointer();
    emit PropertyChanged(QStringLiteral("MICON"));
}

void chameleonButton::setPictureNormal(const QPixmap& picture) {
    m_pictureNormal = picture;
    rebuildPictures();
    computeCaptionLayout();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("PICN"));
}

void chameleonButton::setPictureOver(const QPixmap& picture) {
    m_pictureOver = picture;
    rebuildPictures();
    computeCaptionLayout();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("PICO"));
}

void chameleonButton::setUseMaskColor(bool on) {
    m_useMaskColor = on;
    rebuildPictures();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("UMCOL"));
}

void chameleonButton::setSoftBevel(bool on) {
    m_softBevel = on;
    computePalette();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("SOFT"));
}

void chameleonButton::setPicturePosition(int position) {
    m_picturePosition = position;
    computeCaptionLayout();
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("PICPOS"));
}

void chameleonButton::setUseGreyscale(bool on) {
    m_useGreyscale = on;
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("NGREY"));
}

void chameleonButton::setSpecialEffect(int effect) {
    m_specialEffect = effect;
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("FX"));
}

void chameleonButton::setHandPointer(bool on) {
    m_handPointer = on;
    if (on) {
        m_mouseIcon = chameleonDraw::handPicture();
        m_mousePointer = 99;
    } else {
        m_mouseIcon = QPixmap();
        m_mousePointer = 1;
    }
    applyPointer();
    emit PropertyChanged(QStringLiteral("HAND"));
}

void chameleonButton::setCheckBoxBehaviour(bool on) {
    m_checkBoxBehaviour = on;
    drawState(m_requestedState, true);
    emit PropertyChanged(QStringLiteral("CHECK"));
}

void chameleonButton::setValue(bool on) {
    m_value = on;
    drawState(StateUp, true);
    emit PropertyChanged(QStringLiteral("VALUE"));
}

void chameleonButton::setDisplayAsDefault(bool on) {
    m_displayAsDefault = on;
    drawState(m_requestedState, true);
}

// --- methods -----------------------------------------------------------------------------------

void chameleonButton::Refresh() {
    if (m_buttonType == 11)
        captureBackground();
    computePalette();
    computeCaptionLayout();
    m_drawAllowed = true;
    drawState(m_requestedState, true);
}

void chameleonButton::DisableRefresh() {
    m_drawAllowed = false;
}

void chameleonButton::applyAddinDefaults() {
    DisableRefresh();
    setButtonType(14);
    setColorScheme(1);
    setBackColor(0xC8D0D4);
    setBackOver(0xC8D0D4);
    setForeColor(0);
    setForeOver(0);
    setMaskColor(0xC0C0C0);
    setMousePointer(1);
    setShowFocusRect(true);
    Refresh();
}

// --- persistence -------------------------------------------------------------------------------

void chameleonButton::InitProperties() {
    DisableRefresh();
    m_buttonType = 2;
    m_caption = objectName();
    if (parentWidget())
        setFont(parentWidget()->font());
    m_colorScheme = 1;
    m_showFocusRect = true;
    m_backColor = m_backOver = systemColor(ButtonFace);
    m_foreColor = m_foreOver = systemColor(ButtonText);
    m_maskColor = 0xC0C0C0;
    m_mousePointer = 0;
    m_mouseIcon = QPixmap();
    m_pictureNormal = m_pictureOver = QPixmap();
    m_useMaskColor = true;
    m_softBevel = false;
    m_picturePosition = 0;
    m_useGreyscale = false;
    m_specialEffect = 0;
    m_handPointer = false;
    m_checkBoxBehaviour = false;
    m_value = false;
    QWidget::setEnabled(true);
    applyPointer();
    rebuildPictures();
    updateAccessKey();
    reshape();
    Refresh();
}

void chameleonButton::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("BTYPE"), QVariant::fromValue<qint32>(m_buttonType));
    bag.WriteProperty(QStringLiteral("TX"), m_caption);
    bag.WriteProperty(QStringLiteral("ENAB"), Enabled());
    bag.WriteProperty(QStringLiteral("FONT"), font());
    bag.WriteProperty(QStringLiteral("COLTYPE"), QVariant::fromValue<qint32>(m_colorScheme));
    bag.WriteProperty(QStringLiteral("FOCUSR"), m_showFocusRect);
    bag.WriteProperty(QStringLiteral("BCOL"), QVariant::fromValue<quint32>(m_backColor));
    bag.WriteProperty(QStringLiteral("BCOLO"), QVariant::fromValue<quint32>(m_backOver));
    bag.WriteProperty(QStringLiteral("FCOL"), QVariant::fromValue<quint32>(m_foreColor));
    bag.WriteProperty(QStringLiteral("FCOLO"), QVariant::fromValue<quint32>(m_foreOver));
    bag.WriteProperty(QStringLiteral("MCOL"), QVariant::fromValue<quint32>(m_maskColor));
    bag.WriteProperty(QStringLiteral("MPTR"),
                      QVariant::fromValue<qint16>(static_cast<qint16>(m_mousePointer)));
    bag.WriteProperty(QStringLiteral("MICON"), m_mouseIcon);
    bag.WriteProperty(QStringLiteral("PICN"), m_pictureNormal);
    bag.WriteProperty(QStringLiteral("PICH"), m_pictureOver);
    bag.WriteProperty(QStringLiteral("UMCOL"), m_useMaskColor);
    bag.WriteProperty(QStringLiteral("SOFT"), m_softBevel);
    bag.WriteProperty(QStringLiteral("PICPOS"), QVariant::fromValue<qint32>(m_picturePosition));
    bag.WriteProperty(QStringLiteral("NGREY"), m_useGreyscale);
    bag.WriteProperty(QStringLiteral("FX"), QVariant::fromValue<qint32>(m_specialEffect));
    bag.WriteProperty(QStringLiteral("HAND"), m_handPointer);
    bag.WriteProperty(QStringLiteral("CHECK"), m_checkBoxBehaviour);
    bag.WriteProperty(QStringLiteral("VALUE"), m_value);
}

void chameleonButton::ReadProperties(const PropertyBag& bag) {
    constexpr int i32min = std::numeric_limits<qint32>::min();
    constexpr int i32max = std::numeric_limits<qint32>::max();
    m_buttonType = bag.ReadInt(QStringLiteral("BTYPE"), 2, i32min, i32max);
    {
        const QVariant tx = bag.ReadProperty(QStringLiteral("TX"));
        m_caption = tx.isValid() ? tx.toString() : QString();
    }
    const bool enabled = bag.ReadBool(QStringLiteral("ENAB"), true);
    const QFont f = bag.ReadFont(QStringLiteral("FONT"), font());
    m_colorScheme = bag.ReadInt(QStringLiteral("COLTYPE"), 1, i32min, i32max);
    m_showFocusRect = bag.ReadBool(QStringLiteral("FOCUSR"), true);
    m_backColor = bag.ReadColor(QStringLiteral("BCOL"), systemColor(ButtonFace));
    m_backOver = bag.ReadColor(QStringLiteral("BCOLO"), m_backColor);
    m_foreColor = bag.ReadColor(QStringLiteral("FCOL"), systemColor(ButtonText));
    m_foreOver = bag.ReadColor(QStringLiteral("FCOLO"), m_foreColor);
    m_maskColor = bag.ReadColor(QStringLiteral("MCOL"), 0xC0C0C0);
    m_mousePointer = bag.ReadInt(QStringLiteral("MPTR"), 0, std::numeric_limits<qint16>::min(),
                                 std::numeric_limits<qint16>::max());
    m_mouseIcon = bag.ReadPicture(QStringLiteral("MICON"));
    m_pictureNormal = bag.ReadPicture(QStringLiteral("PICN"));
    m_pictureOver = bag.ReadPicture(QStringLiteral("PICH"));
    m_useMaskColor = bag.ReadBool(QStringLiteral("UMCOL"), true);
    m_softBevel = bag.ReadBool(QStringLiteral("SOFT"), false);
    m_picturePosition = bag.ReadInt(QStringLiteral("PICPOS"), 0, i32min, i32max);
    m_useGreyscale = bag.ReadBool(QStringLiteral("NGREY"), false);
    m_specialEffect = bag.ReadInt(QStringLiteral("FX"), 0, i32min, i32max);
    m_handPointer = bag.ReadBool(QStringLiteral("HAND"), false);
    m_checkBoxBehaviour = bag.ReadBool(QStringLiteral("CHECK"), false);
    m_value = bag.ReadBool(QStringLiteral("VALUE"), false);

    const bool allowed = m_drawAllowed;
    m_drawAllowed = false;
    QWidget::setEnabled(enabled);
    m_enabledProp = enabled;
    setFont(f);
    applyPointer();
    rebuildPictures();
    updateAccessKey();
    computePalette();
    m_drawAllowed = allowed;
    reshape();
}

// --- access key --------------------------------------------------------------------------------

QString chameleonButton::accessKeyFor(const QString& caption) {
    const qsizetype len = caption.size();
    if (len <= 1)
        return {};
    const qsizetype first = caption.indexOf(QLatin1Char('&'));
    if (first < 0 || first == len - 1)
        return {};
    if (caption.at(first + 1) != QLatin1Char('&'))
        return caption.mid(first + 1, 1).toLower();
    // "&&" is a literal ampersand: the key follows the next single "&".
    const qsizetype next = caption.indexOf(QLatin1Char('&'), first + 2);
    if (next < 0 || next == len - 1 || caption.at(next + 1) == QLatin1Char('&'))
        return {};
    return caption.mid(next + 1, 1).toLower();
}

void chameleonButton::updateAccessKey() {
    m_accessKey = accessKeyFor(m_caption);
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    if (m_accessKey.isEmpty())
        return;
    const char32_t code = m_accessKey.toUpper().toUcs4().value(0);
    if (code == 0)
        return;
    m_shortcutId = grabShortcut(qtcompat::keySequence(Qt::AltModifier, static_cast<Qt::Key>(code)));
}

// --- palette, layout, shape --------------------------------------------------------------------

void chameleonButton::computePalette() {
    chameleonPalette::Inputs in;
    in.scheme = m_colorScheme;
    in.look = m_buttonType;
    in.softBevel = m_softBevel;
    in.backColor = m_backColor;
    in.backOver = m_backOver;
    in.foreColor = m_foreColor;
    in.foreOver = m_foreOver;
    in.maskColor = m_maskColor;
    in.own = normalColors(palette());
    if (parentWidget()) {
        in.surface = normalColors(parentWidget()->palette());
        in.hasSurface = true;
    }
    m_palette = chameleonPalette::compute(in);
    // Scheme 2 draws a hovered button with every shade derived from BackOver.
    in.backColor = m_backOver;
    m_paletteOver = chameleonPalette::compute(in);
}

QRect chameleonButton::pictureArea() const {
    const QPixmap& pic = m_drawNormal.isNull() ? m_drawOver : m_drawNormal;
    if (pic.isNull())
        return {};
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    const QSize s = qtcompat::deviceIndependentSize(pic).toSize();
    QRect r(QPoint(0, 0), s);
    switch (m_picturePosition) {
    case 1:
        r.moveTopLeft(QPoint(inner.right() - s.width(), inner.center().y() - s.height() / 2));
        break;
    case 2:
        r.moveTopLeft(QPoint(inner.center().x() - s.width() / 2, inner.top() + 1));
        break;
    case 3:
        r.moveTopLeft(QPoint(inner.center().x() - s.width() / 2, inner.bottom() - s.height()));
        break;
    case 4:
        r.moveCenter(inner.center());
        break;
    default:
        r.moveTopLeft(QPoint(inner.left() + 1, inner.center().y() - s.height() / 2));
        break;
    }
    return r;
}

void chameleonButton::computeCaptionLayout() {
    QRect area = rect().adjusted(1, 1, -1, -1);
    const QPixmap& pic = m_drawNormal.isNull() ? m_drawOver : m_drawNormal;
    if (!pic.isNull()) {
        const QSize s = qtcompat::deviceIndependentSize(pic).toSize();
        switch (m_picturePosition) {
        case 1:
            area.setRight(area.right() - s.width() - 1);
            break;
        case 2:
            area.setTop(area.top() + s.height() + 1);
            break;
        case 3:
            area.setBottom(area.bottom() - s.height() - 1);
            break;
        case 4:
            break;
        default:
            area.setLeft(area.left() + s.width() + 1);
            break;
        }
    }
    const QFontMetrics fm(font());
    QRect measured = fm.boundingRect(area, Qt::TextWordWrap | Qt::TextShowMnemonic, m_caption);
    measured.moveCenter(area.center());
    m_captionRect = measured;
    m_captionArea = area;
}

void chameleonButton::reshape() {
    const int w = width();
    const int h = height();
    switch (m_buttonType) {
    case 1:
    case 14: {
        QRegion r(0, 0, w, h);
        r -= QRegion(0, 0, 1, 1);
        r -= QRegion(w - 1, 0, 1, 1);
        r -= QRegion(0, h - 1, 1, 1);
        r -= QRegion(w - 1, h - 1, 1, 1);
        setMask(r);
        break;
    }
    case 5: {
        QRegion r(0, 0, w, h);
        r -= QRegion(w - 1, 0, 1, 1);
        r -= QRegion(0, h - 1, 1, 1);
        setMask(r);
        break;
    }
    case 3:
    case 4: {
        QRegion r(0, 0, w, h);
        // Two pixels along each edge at every corner, the corner pixel included.
        for (const QPoint& c :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)}) {
            const int dx = c.x() == 0 ? 1 : -1;
            const int dy = c.y() == 0 ? 1 : -1;
            r -= QRegion(c.x(), c.y(), 1, 1);
            r -= QRegion(c.x() + dx, c.y(), 1, 1);
            r -= QRegion(c.x(), c.y() + dy, 1, 1);
        }
        setMask(r);
        break;
    }
    case 13:
        setMask(QRegion(0, 0, w, h, QRegion::Ellipse));
        break;
    default:
        clearMask();
        break;
    }
    if (m_buttonType >= 7 && m_buttonType <= 13)
        m_focusRect = rect().adjusted(3, 3, -3, -3);
    else if (m_buttonType == 14)
        m_focusRect = rect().adjusted(5, 5, -5, -5).translated(1, 1);
    else
        m_focusRect = rect().adjusted(4, 4, -4, -4);
    computeCaptionLayout();
    if (h > 0)
        drawState(StateUp, true);
}

void chameleonButton::captureBackground() {
    QWidget* parent = parentWidget();
    if (!parent || width() <= 0 || height() <= 0) {
        m_background = QPixmap();
        return;
    }
    QPixmap pix(size());
    pix.fill(toQColor(m_palette.face));
    // The parent's own drawing only, without its children (this button among them).
    parent->render(&pix, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    m_background = pix;
}

void chameleonButton::applyPointer() {
    switch (m_mousePointer) {
    case 0:
        unsetCursor();
        return;
    case 99:
        if (m_mouseIcon.isNull())
            unsetCursor();
        else if (m_handPointer)
            setCursor(QCursor(m_mouseIcon, 5, 0));
        else
            setCursor(QCursor(m_mouseIcon));
        return;
    default:
        break;
    }
    static const Qt::CursorShape shapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
    };
    if (m_mousePointer > 0 && m_mousePointer < static_cast<int>(std::size(shapes)))
        setCursor(shapes[m_mousePointer]);
    else
        unsetCursor();
}

void chameleonButton::rebuildPictures() {
    const uint32_t mask = translate(m_maskColor, normalColors(palette()));
    m_drawNormal = chameleonDraw::maskedPicture(m_pictureNormal, m_useMaskColor, mask);
    m_drawOver = chameleonDraw::maskedPicture(m_pictureOver, m_useMaskColor, mask);
    m_greyNormal = chameleonDraw::greyPicture(m_drawNormal);
    m_greyOver = chameleonDraw::greyPicture(m_drawOver);
}

// --- drawing -----------------------------------------------------------------------------------

void chameleonButton::drawState(int state, bool force) {
    m_requestedState = state;
    if (m_checkBoxBehaviour && m_value)
        state = StatePressed;
    if (!(force || m_caption != m_lastCaption || state != m_lastState))
        return;
    if (height() <= 0 || !m_drawAllowed)
        return;
    m_lastState = state;
    m_lastCaption = m_caption;
    renderSurface(m_surface, state);
    ++m_drawCount;
    update();
}

void chameleonButton::paintEvent(QPaintEvent*) {
    const qreal dpr = devicePixelRatioF();
    if (m_surface.size() != size() * dpr)
        renderSurface(m_surface, m_lastState < 0 ? StateUp : m_lastState);
    QPainter p(this);
    p.drawImage(0, 0, m_surface);
}

void chameleonButton::renderSurface(QImage& target, int state) {
    const qreal dpr = devicePixelRatioF();
    const QSize px = size() * dpr;
    if (px.isEmpty())
        return;
    if (target.size() != px) {
        target = QImage(px, QImage::Format_ARGB32_Premultiplied);
        target.setDevicePixelRatio(dpr);
    }
    QPainter p(&target);
    paintButton(p, state);
}

// --- events ------------------------------------------------------------------------------------

void chameleonButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_buttonType == 11 && isVisible())
        captureBackground();
    reshape();
}

void chameleonButton::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_buttonType == 11 && m_background.isNull())
        captureBackground();
    m_drawAllowed = true;
    computePalette();
    drawState(StateUp, true);
}

void chameleonButton::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_drawAllowed = false;
}

void chameleonButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (Enabled() != m_enabledProp) {
            m_enabledProp = Enabled();
            emit PropertyChanged(QStringLiteral("ENAB"));
        }
        drawState(m_requestedState, true);
        break;
    case QEvent::FontChange:
        computeCaptionLayout();
        updateGeometry();
        drawState(m_requestedState, true);
        break;
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        // The container's ambient colours changed.
        if (m_colorScheme != 2) {
            computePalette();
            rebuildPictures();
            drawState(m_requestedState, true);
        }
        break;
    default:
        break;
    }
}

bool chameleonButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(event);
        if (se->shortcutId() == m_shortcutId && m_shortcutId != 0) {
            if (se->isAmbiguous()) {
                // Another control or a menu claims the same key: no click. A menu of the
                // window's menu bar with that key gets it; otherwise the button only
                // takes the focus, as the platform does with an ambiguous access key.
                if (!openMenuWithAccessKey())
                    setFocus(Qt::ShortcutFocusReason);
                return true;
            }
            // The access key acts as a left click.
            m_lastButton = 1;
            mouseClick();
            return true;
        }
    }
    return QWidget::event(event);
}

bool chameleonButton::openMenuWithAccessKey() {
    const QKeySequence key = qtcompat::keySequence(
        Qt::AltModifier, static_cast<Qt::Key>(m_accessKey.toUpper().toUcs4().value(0)));
    for (QMenuBar* bar : window()->findChildren<QMenuBar*>()) {
        if (!bar->isVisible())
            continue;
        for (QAction* action : bar->actions()) {
            if (action->isVisible() && action->isEnabled() && action->menu() &&
                QKeySequence::mnemonic(action->text()) == key) {
                bar->setActiveAction(action);
                return true;
            }
        }
    }
    return false;
}

void chameleonButton::mousePressEvent(QMouseEvent* event) {
    const int button = chameleonKeys::mouseButton(event->button());
    const QPointF pos = qtcompat::position(event);
    emit MouseDown(button, chameleonKeys::shiftState(event->modifiers()),
                   static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    m_lastButton = button;
    m_suppressClick = false;
    if (button != 2)
        drawState(StatePressed, false);
}

void chameleonButton::mouseMoveEvent(QMouseEvent* event) {
    const int buttons = chameleonKeys::mouseButtons(event->buttons());
    const QPointF pos = qtcompat::position(event);
    emit MouseMove(buttons, chameleonKeys::shiftState(event->modifiers()),
                   static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    if (buttons != 0 && buttons != 1)
        return;
    const bool over = isPointerOver(qtcompat::globalPosition(event).toPoint());
    if (!over) {
        drawState(StateUp, false);
    } else if (buttons == 0) {
        if (!m_hover) {
            m_hover = true;
            m_overTimer->start();
            drawState(StateUp, true);
            emit MouseOver();
        }
    } else {
        drawState(StatePressed, false);
    }
}

void chameleonButton::mouseReleaseEvent(QMouseEvent* event) {
    const int button = chameleonKeys::mouseButton(event->button());
    const QPointF pos = qtcompat::position(event);
    emit MouseUp(button, chameleonKeys::shiftState(event->modifiers()), static_cast<float>(pos.x()),
                 static_cast<float>(pos.y()));
    if (button != 2)
        drawState(StateUp, false);
    const bool suppressed = m_suppressClick;
    m_suppressClick = false;
    // The platform reports a click only for a release over the control.
    if (button == 1 && !suppressed && isPointerOver(qtcompat::globalPosition(event).toPoint()))
        mouseClick();
}

void chameleonButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // A new press without a second Click; the release draws the up state again.
    m_lastButton = 1;
    m_suppressClick = true;
    drawState(StatePressed, false);
}

void chameleonButton::mouseClick() {
    if (m_lastButton != 1 || !isEnabled())
        return;
    raiseClick();
}

void chameleonButton::raiseClick() {
    if (m_checkBoxBehaviour)
        m_value = !m_value;
    drawState(StateUp, false);
    update();
    emit Click();
}

void chameleonButton::keyPressEvent(QKeyEvent* event) {
    const int key = chameleonKeys::virtualKey(event->key());
    emit KeyDown(key, chameleonKeys::shiftState(event->modifiers()));
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
    m_lastKey = key;
    switch (key) {
    case 32:
        drawState(StatePressed, false);
        break;
    case 37:
    case 38:
        focusNextPrevChild(false);
        break;
    case 39:
    case 40:
        focusNextPrevChild(true);
        break;
    default:
        // Keys the button does not handle go on to its window, as on the platform a
        // control without a use for a key leaves it to the form (Esc, Enter, F1, ...).
        event->ignore();
        return;
    }
    event->accept();
}

void chameleonButton::keyReleaseEvent(QKeyEvent* event) {
    // Auto-repeat sends release/press pairs while a key is held; only the real release counts.
    if (event->isAutoRepeat())
        return;
    const int key = chameleonKeys::virtualKey(event->key());
    emit KeyUp(key, chameleonKeys::shiftState(event->modifiers()));
    if (key != 32) {
        event->ignore();
        return;
    }
    if (m_lastKey == 32) {
        m_lastKey = 0;
        raiseClick();
    } else {
        // Space released after another key: no click, but do not stay pressed.
        drawState(StateUp, false);
    }
}

void chameleonButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_focus = true;
    drawState(m_requestedState, true);
}

void chameleonButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_focus = false;
    drawState(m_requestedState, true);
}

void chameleonButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    // Saves waiting for the next poll when the platform reports the exit itself.
    if (m_hover)
        checkHover();
}

// --- hover -------------------------------------------------------------------------------------

bool chameleonButton::isPointerOver(const QPoint& globalPos) const {
    return QApplication::widgetAt(globalPos) == this;
}

QPoint chameleonButton::pointerPosition() const {
    return QCursor::pos();
}

void chameleonButton::checkHover() {
    if (isVisible() && isPointerOver(pointerPosition()))
        return;
    m_overTimer->stop();
    if (!m_hover)
        return;
    m_hover = false;
    drawState(StateUp, true);
    emit MouseOut();
}
