#include "widgets/chameleonButton.h"

#include "widgets/PropertyBag.h"
#include "widgets/chameleonColors.h"
#include "widgets/chameleonKeys.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>
#include <cmath>
#include <limits>

using namespace chameleonColors;

namespace {

constexpr int HoverPollMs = 40;

// Pixel-exact primitives: rectangles cover [x, x + w) x [y, y + h).
void fill(QPainter& p, int x, int y, int w, int h, uint32_t c) {
    if (w > 0 && h > 0)
        p.fillRect(QRect(x, y, w, h), toQColor(c));
}
void hline(QPainter& p, int x1, int x2, int y, uint32_t c) {
    fill(p, x1, y, x2 - x1, 1, c);
}
void vline(QPainter& p, int x, int y1, int y2, uint32_t c) {
    fill(p, x, y1, 1, y2 - y1, c);
}
void frame(QPainter& p, int x, int y, int w, int h, uint32_t c) {
    if (w <= 0 || h <= 0)
        return;
    hline(p, x, x + w, y, c);
    hline(p, x, x + w, y + h - 1, c);
    vline(p, x, y, y + h, c);
    vline(p, x + w - 1, y, y + h, c);
}
// Top and left in one colour, bottom and right in the other.
void bevel(QPainter& p, int x, int y, int w, int h, uint32_t topLeft, uint32_t bottomRight) {
    if (w <= 0 || h <= 0)
        return;
    hline(p, x, x + w - 1, y, topLeft);
    vline(p, x, y, y + h - 1, topLeft);
    hline(p, x, x + w, y + h - 1, bottomRight);
    vline(p, x + w - 1, y, y + h, bottomRight);
}
void corners(QPainter& p, int w, int h, int inset, uint32_t c) {
    fill(p, inset, inset, 1, 1, c);
    fill(p, w - 1 - inset, inset, 1, 1, c);
    fill(p, inset, h - 1 - inset, 1, 1, c);
    fill(p, w - 1 - inset, h - 1 - inset, 1, 1, c);
}

// Round to nearest, halves to even (the current rounding mode is the default one).
int roundEven(float v) {
    return static_cast<int>(std::nearbyint(v));
}

void gradient(QPainter& p, int w, int h, uint32_t top, int depth, bool blueProportional,
              bool soft) {
    const float step = static_cast<float>(depth) / static_cast<float>(h);
    for (int y = 1; y <= h; ++y) {
        const int n = -roundEven(step * static_cast<float>(y));
        hline(p, 0, w, y,
              blueProportional ? shiftBlueProportional(top, n, soft) : shift(top, n, soft));
    }
}

void dottedFrame(QPainter& p, const QRect& r, uint32_t c) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor col = toQColor(c);
    // Every other pixel along the border, as a focus rectangle is drawn.
    int i = 0;
    auto dot = [&](int x, int y) {
        if ((i++ & 1) == 0)
            p.fillRect(QRect(x, y, 1, 1), col);
    };
    for (int x = r.left(); x <= r.right(); ++x)
        dot(x, r.top());
    for (int y = r.top() + 1; y <= r.bottom(); ++y)
        dot(r.right(), y);
    for (int x = r.right() - 1; x >= r.left(); --x)
        dot(x, r.bottom());
    for (int y = r.bottom() - 1; y > r.top(); --y)
        dot(r.left(), y);
}

QPixmap maskedPicture(const QPixmap& pic, bool useMask, uint32_t mask) {
    if (pic.isNull() || !useMask)
        return pic;
    QImage img = pic.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = toQColor(mask).rgb() & 0x00FFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == key)
                line[x] = 0;
    }
    return QPixmap::fromImage(img);
}

QPixmap greyPicture(const QPixmap& pic) {
    if (pic.isNull())
        return pic;
    QImage img = pic.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int g = qGray(line[x]);
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(img);
}

// A small pointing hand, used when HandPointer is on.
QPixmap handPicture() {
    static const char* rows[] = {
        "     ##         ", "    #..#        ", "    #..#        ", "    #..#        ",
        "    #..###      ", "    #..#..###   ", "    #..#..#..## ", " ## #..#..#..#.#",
        "#..##........#.#", "#...#..........#", " #.............#", "  #............#",
        "  #...........# ", "   #..........# ", "    #........#  ", "    ##########  ",
    };
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (rows[y][x] == '#')
                img.setPixel(x, y, qRgba(0, 0, 0, 255));
            else if (rows[y][x] == '.')
                img.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
    return QPixmap::fromImage(img);
}

// --- reading stored values -----------------------------------------------------------------

int readInt(const PropertyBag& bag, const QString& key, int def, int lo, int hi) {
    const QVariant v = bag.ReadProperty(key);
    if (!v.isValid() || v.isNull())
        return def;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < lo || n > hi) {
        qWarning("chameleonButton: stored value of %s is not usable, default kept",
                 qPrintable(key));
        return def;
    }
    return static_cast<int>(n);
}

uint32_t readColor(const PropertyBag& bag, const QString& key, uint32_t def) {
    const QVariant v = bag.ReadProperty(key);
    if (!v.isValid() || v.isNull())
        return def;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<qint32>::min() ||
        n > static_cast<qlonglong>(std::numeric_limits<quint32>::max())) {
        qWarning("chameleonButton: stored colour %s is not usable, default kept", qPrintable(key));
        return def;
    }
    // Negative values are colours stored as signed 32-bit numbers.
    return static_cast<uint32_t>(static_cast<quint32>(n));
}

bool readBool(const PropertyBag& bag, const QString& key, bool def) {
    const QVariant v = bag.ReadProperty(key);
    if (!v.isValid() || v.isNull())
        return def;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray) {
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true"))
            return true;
        if (s == QLatin1String("false"))
            return false;
    }
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok) {
        qWarning("chameleonButton: stored value of %s is not a boolean, default kept",
                 qPrintable(key));
        return def;
    }
    return n != 0;
}

QFont readFont(const PropertyBag& bag, const QString& key, const QFont& def) {
    const QVariant v = bag.ReadProperty(key);
    if (v.typeId() == QMetaType::QFont)
        return v.value<QFont>();
    if (v.typeId() == QMetaType::QString) {
        QFont f = def;
        if (f.fromString(v.toString()))
            return f;
        qWarning("chameleonButton: stored font is not usable, current font kept");
    }
    return def;
}

QPixmap readPicture(const PropertyBag& bag, const QString& key) {
    const QVariant v = bag.ReadProperty(key);
    switch (v.typeId()) {
    case QMetaType::QPixmap:
        return v.value<QPixmap>();
    case QMetaType::QImage:
        return QPixmap::fromImage(v.value<QImage>());
    case QMetaType::QByteArray: {
        QPixmap pix;
        if (!v.toByteArray().isEmpty() && !pix.loadFromData(v.toByteArray()))
            qWarning("chameleonButton: stored picture %s is not readable", qPrintable(key));
        return pix;
    }
    default:
        return QPixmap();
    }
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
        m_mouseIcon = handPicture();
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
    m_buttonType = readInt(bag, QStringLiteral("BTYPE"), 2, i32min, i32max);
    {
        const QVariant tx = bag.ReadProperty(QStringLiteral("TX"));
        m_caption = tx.isValid() ? tx.toString() : QString();
    }
    const bool enabled = readBool(bag, QStringLiteral("ENAB"), true);
    const QFont f = readFont(bag, QStringLiteral("FONT"), font());
    m_colorScheme = readInt(bag, QStringLiteral("COLTYPE"), 1, i32min, i32max);
    m_showFocusRect = readBool(bag, QStringLiteral("FOCUSR"), true);
    m_backColor = readColor(bag, QStringLiteral("BCOL"), systemColor(ButtonFace));
    m_backOver = readColor(bag, QStringLiteral("BCOLO"), m_backColor);
    m_foreColor = readColor(bag, QStringLiteral("FCOL"), systemColor(ButtonText));
    m_foreOver = readColor(bag, QStringLiteral("FCOLO"), m_foreColor);
    m_maskColor = readColor(bag, QStringLiteral("MCOL"), 0xC0C0C0);
    m_mousePointer = readInt(bag, QStringLiteral("MPTR"), 0, std::numeric_limits<qint16>::min(),
                             std::numeric_limits<qint16>::max());
    m_mouseIcon = readPicture(bag, QStringLiteral("MICON"));
    m_pictureNormal = readPicture(bag, QStringLiteral("PICN"));
    m_pictureOver = readPicture(bag, QStringLiteral("PICH"));
    m_useMaskColor = readBool(bag, QStringLiteral("UMCOL"), true);
    m_softBevel = readBool(bag, QStringLiteral("SOFT"), false);
    m_picturePosition = readInt(bag, QStringLiteral("PICPOS"), 0, i32min, i32max);
    m_useGreyscale = readBool(bag, QStringLiteral("NGREY"), false);
    m_specialEffect = readInt(bag, QStringLiteral("FX"), 0, i32min, i32max);
    m_handPointer = readBool(bag, QStringLiteral("HAND"), false);
    m_checkBoxBehaviour = readBool(bag, QStringLiteral("CHECK"), false);
    m_value = readBool(bag, QStringLiteral("VALUE"), false);

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
    if (caption[first + 1] != QLatin1Char('&'))
        return caption.mid(first + 1, 1).toLower();
    // "&&" is a literal ampersand: the key follows the next single "&".
    const qsizetype next = caption.indexOf(QLatin1Char('&'), first + 2);
    if (next < 0 || next == len - 1 || caption[next + 1] == QLatin1Char('&'))
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
    m_shortcutId =
        grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(code))));
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
    in.own = palette();
    if (parentWidget()) {
        in.surface = parentWidget()->palette();
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
    const QSize s = pic.deviceIndependentSize().toSize();
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
        const QSize s = pic.deviceIndependentSize().toSize();
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
    const uint32_t mask = translate(m_maskColor, palette());
    m_drawNormal = maskedPicture(m_pictureNormal, m_useMaskColor, mask);
    m_drawOver = maskedPicture(m_pictureOver, m_useMaskColor, mask);
    m_greyNormal = greyPicture(m_drawNormal);
    m_greyOver = greyPicture(m_drawOver);
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

void chameleonButton::drawCaptionAt(QPainter& p, int dx, int dy, uint32_t color,
                                    const QFont& f) const {
    if (m_caption.isEmpty())
        return;
    p.setFont(f);
    p.setPen(toQColor(color));
    p.drawText(m_captionRect.translated(dx, dy),
               Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, m_caption);
}

void chameleonButton::drawEffects(QPainter& p, const chameleonPalette& pal, int dx, int dy,
                                  bool pressed, const QFont& f) const {
    if (m_specialEffect <= 0)
        return;
    const int look = m_buttonType;
    uint32_t base = (look == 3 || look == 4 || look == 14) ? pal.softFace : pal.face;
    if (look == 9 && m_hover && !pressed && m_colorScheme != 2)
        base = pal.selectionTint;
    const bool soft = m_softBevel;
    if (m_specialEffect == 1) {
        drawCaptionAt(p, dx + 1, dy + 1, shift(base, -40, soft), f);
        drawCaptionAt(p, dx - 1, dy - 1, shift(base, 40, soft), f);
    } else if (m_specialEffect == 2) {
        drawCaptionAt(p, dx + 1, dy + 1, shift(base, 40, soft), f);
        drawCaptionAt(p, dx - 1, dy - 1, shift(base, -40, soft), f);
    } else {
        drawCaptionAt(p, dx + 1, dy + 1, shift(base, -40, soft), f);
    }
}

void chameleonButton::drawPicture(QPainter& p, bool pressed, bool disabled) const {
    const bool over = m_hover && !m_drawOver.isNull();
    const QPixmap& pic = disabled && m_useGreyscale ? (over ? m_greyOver : m_greyNormal)
                                                    : (over ? m_drawOver : m_drawNormal);
    if (pic.isNull())
        return;
    QRect r = pictureArea();
    if (pressed)
        r.translate(1, 1);
    p.drawPixmap(r.topLeft(), pic);
}

void chameleonButton::paintButton(QPainter& p, int state) const {
    const int w = width();
    const int h = height();
    const bool soft = m_softBevel;
    const bool hoverScheme2 = m_hover && m_colorScheme == 2;
    const chameleonPalette& pal = hoverScheme2 ? m_paletteOver : m_palette;
    const int look = m_buttonType;
    const bool disabled = !isEnabled();
    const bool pressed = !disabled && state == StatePressed;
    const uint32_t text = m_hover ? pal.textOver : pal.text;
    const QFont& f = font();

    fill(p, 0, 0, w, h, pal.face);
    if (look < 1 || look > 14)
        return;
    if (look == 11 && !m_background.isNull())
        p.drawPixmap(0, 0, m_background);

    bool focusWanted = look != 3 && !disabled;
    auto captionUp = [&](uint32_t color, const QFont& font) {
        drawEffects(p, pal, 0, 0, false, font);
        drawCaptionAt(p, 0, 0, color, font);
    };
    auto captionPressed = [&](uint32_t color) {
        drawEffects(p, pal, 1, 1, true, f);
        drawCaptionAt(p, 1, 1, color, f);
    };
    auto captionEngraved = [&]() {
        drawCaptionAt(p, 1, 1, pal.highlight, f);
        drawCaptionAt(p, 0, 0, pal.shadow, f);
    };

    switch (look) {
    case 14: {
        auto upFace = [&](bool hovered) {
            if (hovered)
                fill(p, 0, 0, w, h, pal.light);
            else
                gradient(p, w, h, pal.highlight, 58, false, soft);
            frame(p, 0, 0, w, h, shift(pal.shadow, -50, soft));
            frame(p, 1, 1, w - 2, h - 2, shift(pal.face, -9, soft));
            fill(p, 2, 2, w - 4, 2, pal.highlight);
            fill(p, 2, 4, 2, h - 6, pal.highlight);
        };
        if (disabled) {
            upFace(false);
            drawPicture(p, false, true);
            drawCaptionAt(p, 1, 1, pal.highlight, f);
            drawCaptionAt(p, 0, 0, pal.face, f);
        } else if (pressed) {
            fill(p, 1, 1, w, h, shift(pal.face, -9, soft));
            frame(p, 0, 0, w, h, shift(pal.shadow, -48, soft));
            hline(p, 2, w - 2, h - 2, pal.highlight);
            vline(p, w - 2, 2, h - 1, pal.highlight);
            drawPicture(p, true, false);
            drawEffects(p, pal, 0, 0, true, f);
            drawCaptionAt(p, 1, 1, shift(pal.shadow, -50, soft), f);
            drawCaptionAt(p, 0, 0, pal.highlight, f);
        } else {
            upFace(m_hover);
            drawPicture(p, false, false);
            if (m_displayAsDefault) {
                QFont bold = f;
                bold.setBold(true);
                captionUp(text, bold);
            } else {
                captionUp(text, f);
            }
        }
        break;
    }
    case 3:
        paintLook3(p, pal, state, disabled);
        break;
    case 1:
        frame(p, 0, 0, w, h, pal.darkShadow);
        if (pressed) {
            bevel(p, 1, 1, w - 2, h - 2, pal.shadow, pal.highlight);
            bevel(p, 2, 2, w - 4, h - 4, pal.shadow, pal.highlight);
        } else {
            bevel(p, 1, 1, w - 2, h - 2, pal.highlight, pal.shadow);
            bevel(p, 2, 2, w - 4, h - 4, pal.highlight, pal.shadow);
        }
        break;
    case 2:
    case 12:
        if (pressed) {
            bevel(p, 0, 0, w, h, pal.darkShadow, pal.highlight);
            bevel(p, 1, 1, w - 2, h - 2, pal.shadow, pal.light);
        } else if (look == 12 || disabled) {
            bevel(p, 0, 0, w, h, pal.highlight, pal.darkShadow);
            bevel(p, 1, 1, w - 2, h - 2, pal.light, pal.shadow);
        } else if (m_displayAsDefault && m_showFocusRect) {
            frame(p, 0, 0, w, h, pal.darkShadow);
            bevel(p, 1, 1, w - 2, h - 2, pal.highlight, pal.darkShadow);
            bevel(p, 2, 2, w - 4, h - 4, pal.light, pal.shadow);
        } else {
            bevel(p, 0, 0, w, h, pal.highlight, pal.darkShadow);
            bevel(p, 1, 1, w - 2, h - 2, pal.light, pal.shadow);
        }
        break;
    case 4: {
        const uint32_t outer = shift(pal.face, -64, soft);
        frame(p, 0, 0, w, h, outer);
        if (pressed) {
            bevel(p, 1, 1, w - 2, h - 2, shift(pal.face, -32, soft), shift(pal.face, 48, soft));
            bevel(p, 2, 2, w - 4, h - 4, shift(pal.face, -16, soft), pal.face);
        } else {
            bevel(p, 1, 1, w - 2, h - 2, shift(pal.face, 48, soft), shift(pal.face, -32, soft));
            bevel(p, 2, 2, w - 4, h - 4, pal.face, shift(pal.face, -16, soft));
        }
        corners(p, w, h, 1, outer);
        break;
    }
    case 5:
        if (pressed) {
            frame(p, 0, 0, w, h, shift(pal.face, -26, soft));
            frame(p, 1, 1, w - 2, h - 2, shift(pal.face, 16, soft));
            frame(p, m_captionRect.left() - 3, m_captionRect.top() - 2, m_captionRect.width() + 6,
                  m_captionRect.height() + 4, 0xCC9999);
        } else {
            bevel(p, 0, 0, w, h, pal.highlight, pal.shadow);
        }
        break;
    case 6:
        if (pressed)
            bevel(p, 0, 0, w, h, shift(pal.shadow, 8, soft), shift(pal.highlight, 8, soft));
        else
            bevel(p, 0, 0, w, h, shift(pal.highlight, 8, soft), shift(pal.shadow, 8, soft));
        break;
    case 7:
        if (pressed)
            bevel(p, 0, 0, w, h, pal.shadow, pal.highlight);
        else if (disabled || m_hover)
            bevel(p, 0, 0, w, h, pal.highlight, pal.shadow);
        break;
    case 9:
        if (pressed && m_hover) {
            fill(p, 1, 1, w - 2, h - 2, shift(pal.face, -32, soft));
            frame(p, 0, 0, w, h, pal.selection);
        } else if (pressed) {
            bevel(p, 0, 0, w, h, pal.shadow, pal.highlight);
        } else if (m_hover && !disabled) {
            fill(p, 1, 1, w - 2, h - 2, m_colorScheme == 2 ? pal.face : pal.selectionTint);
            frame(p, 0, 0, w, h, pal.selection);
        }
        break;
    case 13:
        if (pressed) {
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(toQColor(pal.darkShadow));
            p.setBrush(toQColor(shift(pal.face, -32, soft)));
            p.drawEllipse(QRect(0, 0, w - 1, h - 1));
        } else {
            p.setPen(toQColor(pal.shadow));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRect(0, 0, w - 1, h - 1));
        }
        break;
    case 10:
    case 11:
        break;
    default: // look 8
        if (pressed)
            bevel(p, 0, 0, w, h, pal.shadow, pal.highlight);
        else
            bevel(p, 0, 0, w, h, pal.highlight, pal.shadow);
        break;
    }

    if (look != 14 && look != 3) {
        drawPicture(p, pressed, disabled);
        if (disabled)
            captionEngraved();
        else if (pressed)
            captionPressed(look == 4 ? pal.light : text);
        else
            captionUp(text, f);
    }

    if (focusWanted && m_focus && m_showFocusRect && hasFocus())
        dottedFrame(p, m_focusRect, text);
}

void chameleonButton::paintLook3(QPainter& p, const chameleonPalette& pal, int state,
                                 bool disabled) const {
    const int w = width();
    const int h = height();
    const bool soft = m_softBevel;
    const QFont& f = font();
    const uint32_t sf = pal.softFace;
    auto outline = [&](uint32_t frameColor, uint32_t cornerColor) {
        frame(p, 0, 0, w, h, frameColor);
        corners(p, w, h, 1, cornerColor);
    };
    if (disabled) {
        fill(p, 1, 1, w - 2, h - 2, shift(pal.face, -24, soft));
        outline(shift(pal.face, -72, soft), shift(pal.face, -84, soft));
        drawPicture(p, false, true);
        drawCaptionAt(p, 1, 1, pal.highlight, f);
        drawCaptionAt(p, 0, 0, pal.shadow, f);
        return;
    }
    if (state == StatePressed) {
        fill(p, 1, 1, w - 2, h - 2, shift(pal.face, 5, soft));
        hline(p, 1, w - 1, 1, shift(pal.face, -32, soft));
        hline(p, 1, w - 1, 2, shift(pal.face, -24, soft));
        vline(p, 1, 2, h - 1, shift(pal.face, -22, soft));
        hline(p, 2, w - 1, h - 2, shift(pal.face, 16, soft));
        vline(p, w - 2, 2, h - 2, shift(pal.face, 10, soft));
        outline(0x733C00, 0x7B4D10);
        drawPicture(p, true, false);
        drawEffects(p, pal, 1, 1, true, f);
        drawCaptionAt(p, 1, 1, m_hover ? pal.textOver : pal.text, f);
        return;
    }
    gradient(p, w, h, sf, 25, true, soft);
    drawPicture(p, false, false);
    drawEffects(p, pal, 0, 0, false, f);
    drawCaptionAt(p, 0, 0, m_hover ? pal.textOver : pal.text, f);
    outline(0x733C00, 0x7B4D10);
    auto edge = [&](uint32_t frameC, uint32_t bottom, uint32_t top1, uint32_t top2,
                    uint32_t sides) {
        frame(p, 1, 2, w - 2, h - 4, frameC);
        hline(p, 2, w - 2, h - 2, bottom);
        hline(p, 2, w - 2, 1, top1);
        hline(p, 2, w - 2, 2, top2);
        vline(p, 2, 3, h - 3, sides);
        vline(p, w - 3, 3, h - 3, sides);
    };
    if (m_hover) {
        edge(0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF);
    } else if ((m_focus || m_displayAsDefault) && m_showFocusRect) {
        edge(0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5);
    } else {
        hline(p, 2, w - 2, h - 2, shift(sf, -48, soft));
        hline(p, 2, w - 2, h - 3, shift(sf, -32, soft));
        vline(p, w - 2, 2, h - 2, shift(sf, -36, soft));
        vline(p, w - 3, 2, h - 3, shift(sf, -24, soft));
        hline(p, 2, w - 2, 1, shift(sf, 16, soft));
        hline(p, 2, w - 2, 2, shift(sf, 10, soft));
        vline(p, 1, 2, h - 2, shift(sf, -5, soft));
        vline(p, 2, 3, h - 3, shift(sf, -10, soft));
    }
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
            // The access key acts as a left click.
            m_lastButton = 1;
            mouseClick();
            return true;
        }
    }
    return QWidget::event(event);
}

void chameleonButton::mousePressEvent(QMouseEvent* event) {
    const int button = chameleonKeys::mouseButton(event->button());
    const QPointF pos = event->position();
    emit MouseDown(button, chameleonKeys::shiftState(event->modifiers()),
                   static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    m_lastButton = button;
    m_suppressClick = false;
    if (button != 2)
        drawState(StatePressed, false);
}

void chameleonButton::mouseMoveEvent(QMouseEvent* event) {
    const int buttons = chameleonKeys::mouseButtons(event->buttons());
    const QPointF pos = event->position();
    emit MouseMove(buttons, chameleonKeys::shiftState(event->modifiers()),
                   static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    if (buttons != 0 && buttons != 1)
        return;
    const bool over = isPointerOver(event->globalPosition().toPoint());
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
    const QPointF pos = event->position();
    emit MouseUp(button, chameleonKeys::shiftState(event->modifiers()), static_cast<float>(pos.x()),
                 static_cast<float>(pos.y()));
    if (button != 2)
        drawState(StateUp, false);
    const bool suppressed = m_suppressClick;
    m_suppressClick = false;
    // The platform reports a click only for a release over the control.
    if (button == 1 && !suppressed && isPointerOver(event->globalPosition().toPoint()))
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
        break;
    }
}

void chameleonButton::keyReleaseEvent(QKeyEvent* event) {
    // Auto-repeat sends release/press pairs while a key is held; only the real release counts.
    if (event->isAutoRepeat())
        return;
    const int key = chameleonKeys::virtualKey(event->key());
    emit KeyUp(key, chameleonKeys::shiftState(event->modifiers()));
    if (key != 32)
        return;
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
