#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "widgets/chameleonPalette.h"

class PropertyBag;
class QPainter;
class QTimer;

// Owner-drawn push button in fourteen looks. It follows the pointer (hover and pressed looks),
// can act as a toggle, persists its settings through a PropertyBag and raises the classic
// button events. Colours are 0x00BBGGRR values; system-colour references (0x800000nn) are
// translated through the widget's QPalette.
//
// Events are Qt signals. Mouse coordinates are in pixels relative to the control; mouse
// buttons use 1 left, 2 right, 4 middle; shift uses 1 Shift, 2 Ctrl, 4 Alt; key codes are
// the platform's virtual-key numbers (32 space, 37 to 40 the arrows).
class chameleonButton : public QWidget {
    Q_OBJECT

public:
    explicit chameleonButton(QWidget* parent = nullptr);
    ~chameleonButton() override;

    // Drawing states.
    static constexpr int StateUp = 0;
    static constexpr int StatePressed = 2;

    // --- public properties -------------------------------------------------------------
    int ButtonType() const { return m_buttonType; }
    void setButtonType(int look);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // The explicit enabled state (QWidget::setEnabled sets it).
    bool Enabled() const;

    // The caption font; QWidget::setFont sets it.
    QFont Font() const { return font(); }
    bool FontBold() const { return font().bold(); }
    void setFontBold(bool on);
    bool FontItalic() const { return font().italic(); }
    void setFontItalic(bool on);
    bool FontUnderline() const { return font().underline(); }
    void setFontUnderline(bool on);
    double FontSize() const { return font().pointSizeF(); }
    void setFontSize(double points);
    QString FontName() const { return font().family(); }
    void setFontName(const QString& family);

    int ColorScheme() const { return m_colorScheme; }
    void setColorScheme(int scheme);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool on);

    uint32_t BackColor() const { return m_backColor; }
    void setBackColor(uint32_t color);
    uint32_t BackOver() const { return m_backOver; }
    void setBackOver(uint32_t color);
    uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(uint32_t color);
    uint32_t ForeOver() const { return m_foreOver; }
    void setForeOver(uint32_t color);
    uint32_t MaskColor() const { return m_maskColor; }
    void setMaskColor(uint32_t color);

    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& icon);

    QPixmap PictureNormal() const { return m_pictureNormal; }
    void setPictureNormal(const QPixmap& picture);
    QPixmap PictureOver() const { return m_pictureOver; }
    void setPictureOver(const QPixmap& picture);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool on);
    bool SoftBevel() const { return m_softBevel; }
    void setSoftBevel(bool on);
    int PicturePosition() const { return m_picturePosition; }
    void setPicturePosition(int position);
    bool UseGreyscale() const { return m_useGreyscale; }
    void setUseGreyscale(bool on);
    int SpecialEffect() const { return m_specialEffect; }
    void setSpecialEffect(int effect);
    bool HandPointer() const { return m_handPointer; }
    void setHandPointer(bool on);
    bool CheckBoxBehaviour() const { return m_checkBoxBehaviour; }
    void setCheckBoxBehaviour(bool on);
    bool Value() const { return m_value; }
    void setValue(bool on);

    // Read-only.
    quintptr hWnd() const;
    static QString Version() { return QStringLiteral("2.0.6"); }

    // Methods.
    void Refresh();
    void DisableRefresh();

    // --- container side --------------------------------------------------------------
    // Ambient "design mode" of the container (false: run time).
    bool DesignMode() const { return m_designMode; }
    void setDesignMode(bool on) { m_designMode = on; }
    // Whether the container shows this control as its default button.
    bool DisplayAsDefault() const { return m_displayAsDefault; }
    void setDisplayAsDefault(bool on);

    // Defaults of a newly placed control (caption = objectName, font = the container's).
    void InitProperties();
    // Persistence: every key, in table order.
    void WriteProperties(PropertyBag& bag) const;
    void ReadProperties(const PropertyBag& bag);

    // The add-in's own settings: look 14, scheme 1, face 0xC8D0D4, text 0, mask 0xC0C0C0,
    // pointer 1 (arrow), focus rectangle on.
    void applyAddinDefaults();

    // --- helpers, public for the windows and tests -------------------------------------
    // Access key of a caption in lower case, or empty when it has none.
    static QString accessKeyFor(const QString& caption);
    QString accessKey() const { return m_accessKey; }
    bool isHovered() const { return m_hover; }
    int lastDrawnState() const { return m_lastState; }
    QRect focusRect() const { return m_focusRect; }
    QRect captionRect() const { return m_captionRect; }
    // How many times the surface has been redrawn (skipped redraws not counted).
    int drawCount() const { return m_drawCount; }
    const chameleonPalette& workingPalette() const { return m_palette; }

    QSize sizeHint() const override;

signals:
    void Click();
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void KeyPress(int keyAscii);
    void KeyDown(int keyCode, int shift);
    void KeyUp(int keyCode, int shift);
    void MouseOver();
    void MouseOut();
    // A property changed through the property interface; key as persisted ("PICO" for
    // PictureOver).
    void PropertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

    // Whether the window at a global position is this control (mask respected).
    virtual bool isPointerOver(const QPoint& globalPos) const;
    // Pointer position used by the hover timer.
    virtual QPoint pointerPosition() const;

private:
    void drawState(int state, bool force);
    void renderSurface(QImage& target, int state);
    void paintButton(QPainter& p, int state) const;
    void paintLook3(QPainter& p, const chameleonPalette& pal, int state, bool disabled) const;
    void drawCaptionAt(QPainter& p, int dx, int dy, uint32_t color, const QFont& f) const;
    void drawEffects(QPainter& p, const chameleonPalette& pal, int dx, int dy, bool pressed,
                     const QFont& f) const;
    void drawPicture(QPainter& p, bool pressed, bool disabled) const;
    QRect pictureArea() const;
    void computePalette();
    void computeCaptionLayout();
    void reshape();
    void captureBackground();
    void applyPointer();
    void updateAccessKey();
    // Opens the menu of the window's menu bar whose access key is the button's; false
    // when there is none.
    bool openMenuWithAccessKey();
    void mouseClick();
    void raiseClick();
    void checkHover();
    void rebuildPictures();

    // properties
    int m_buttonType = 2;
    QString m_caption;
    int m_colorScheme = 1;
    bool m_showFocusRect = true;
    uint32_t m_backColor;
    uint32_t m_backOver;
    uint32_t m_foreColor;
    uint32_t m_foreOver;
    uint32_t m_maskColor = 0xC0C0C0;
    int m_mousePointer = 0;
    QPixmap m_mouseIcon;
    QPixmap m_pictureNormal;
    QPixmap m_pictureOver;
    bool m_useMaskColor = true;
    bool m_softBevel = false;
    int m_picturePosition = 0;
    bool m_useGreyscale = false;
    int m_specialEffect = 0;
    bool m_handPointer = false;
    bool m_checkBoxBehaviour = false;
    bool m_value = false;

    // container
    bool m_designMode = false;
    bool m_displayAsDefault = false;

    // state
    bool m_enabledProp = true;
    int m_requestedState = StateUp;
    int m_drawCount = 0;
    int m_lastState = -1;
    QString m_lastCaption;
    bool m_hover = false;
    bool m_focus = false;
    int m_lastButton = 0;
    int m_lastKey = 0;
    bool m_drawAllowed = true;
    bool m_suppressClick = false;
    QRect m_captionRect; // the caption measured and centred in m_captionArea
    QRect m_captionArea; // inner rectangle less the picture's side
    QRect m_focusRect;
    QString m_accessKey;
    int m_shortcutId = 0;
    QImage m_surface;
    QPixmap m_background;
    QTimer* m_overTimer = nullptr;
    chameleonPalette m_palette;
    chameleonPalette m_paletteOver;
    // pictures prepared for drawing (mask applied, greyscale copy)
    QPixmap m_drawNormal;
    QPixmap m_drawOver;
    QPixmap m_greyNormal;
    QPixmap m_greyOver;
};
