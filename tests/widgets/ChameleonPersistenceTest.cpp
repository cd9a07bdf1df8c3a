#include "qtcompat/QtCompat.h"
#include "widgets/LocastraButton.h"
#include "widgets/PropertyBag.h"
#include "widgets/chameleonButton.h"
#include "widgets/chameleonColors.h"

#include <QImage>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QStringList tableOrder = {"BTYPE", "TX",    "ENAB", "FONT",  "COLTYPE", "FOCUSR",
                                "BCOL",  "BCOLO", "FCOL", "FCOLO", "MCOL",    "MPTR",
                                "MICON", "PICN",  "PICH", "UMCOL", "SOFT",    "PICPOS",
                                "NGREY", "FX",    "HAND", "CHECK", "VALUE"};

QPixmap solid(QColor c, int size = 8) {
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(c);
    return QPixmap::fromImage(img);
}

// Every property set away from its default.
void setEverything(chameleonButton& b) {
    b.setButtonType(3);
    b.setCaption("Sa&ve");
    b.setEnabled(false);
    QFont f("DejaVu Sans", 13);
    f.setItalic(true);
    b.setFont(f);
    b.setColorScheme(2);
    b.setShowFocusRect(false);
    b.setBackColor(0x112233);
    b.setBackOver(0x445566);
    b.setForeColor(0x778899);
    b.setForeOver(0xAABBCC);
    b.setMaskColor(0x00FF00);
    b.setMousePointer(11);
    b.setMouseIcon(solid(Qt::blue));
    b.setPictureNormal(solid(Qt::red));
    b.setPictureOver(solid(Qt::green, 12));
    b.setUseMaskColor(false);
    b.setSoftBevel(true);
    b.setPicturePosition(3);
    b.setUseGreyscale(true);
    b.setSpecialEffect(2);
    b.setCheckBoxBehaviour(true);
    b.setValue(true);
}

void expectEverything(const chameleonButton& b) {
    EXPECT_EQ(b.ButtonType(), 3);
    EXPECT_EQ(b.Caption(), "Sa&ve");
    EXPECT_EQ(b.accessKey(), "v");
    EXPECT_FALSE(b.Enabled());
    EXPECT_FALSE(b.isEnabled());
    EXPECT_TRUE(b.FontItalic());
    EXPECT_EQ(b.FontSize(), 13.0);
    EXPECT_EQ(b.ColorScheme(), 2);
    EXPECT_FALSE(b.ShowFocusRect());
    EXPECT_EQ(b.BackColor(), 0x112233u);
    EXPECT_EQ(b.BackOver(), 0x445566u);
    EXPECT_EQ(b.ForeColor(), 0x778899u);
    EXPECT_EQ(b.ForeOver(), 0xAABBCCu);
    EXPECT_EQ(b.MaskColor(), 0x00FF00u);
    EXPECT_EQ(b.MousePointer(), 11);
    EXPECT_EQ(b.MouseIcon().size(), QSize(8, 8));
    EXPECT_EQ(b.PictureNormal().toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(b.PictureOver().size(), QSize(12, 12));
    EXPECT_FALSE(b.UseMaskColor());
    EXPECT_TRUE(b.SoftBevel());
    EXPECT_EQ(b.PicturePosition(), 3);
    EXPECT_TRUE(b.UseGreyscale());
    EXPECT_EQ(b.SpecialEffect(), 2);
    EXPECT_FALSE(b.HandPointer());
    EXPECT_TRUE(b.CheckBoxBehaviour());
    EXPECT_TRUE(b.Value());
}

} // namespace

TEST(ChameleonPersistence, WritesEveryKeyInTableOrder) {
    chameleonButton b;
    PropertyBag bag;
    b.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), tableOrder);
    // Defaults are written too, with their stored types.
    EXPECT_EQ(qtcompat::typeId(bag.ReadProperty("MPTR")), QMetaType::Short);
    EXPECT_EQ(bag.ReadProperty("BCOL").toUInt(), 0x8000000Fu);
    EXPECT_EQ(bag.ReadProperty("FCOL").toUInt(), 0x80000012u);
    EXPECT_EQ(qtcompat::typeId(bag.ReadProperty("FONT")), QMetaType::QFont);
}

TEST(ChameleonPersistence, RoundTripInUpperAndLowerCase) {
    chameleonButton source;
    setEverything(source);
    PropertyBag bag;
    source.WriteProperties(bag);

    chameleonButton upper;
    upper.ReadProperties(bag);
    expectEverything(upper);
    EXPECT_EQ(bag.readLog(), tableOrder); // read in the order written

    PropertyBag lower;
    for (const QString& key : bag.keys())
        lower.WriteProperty(key.toLower(), bag.ReadProperty(key));
    chameleonButton fromLower;
    fromLower.ReadProperties(lower);
    expectEverything(fromLower);

    // And the loaded control writes back what it read.
    PropertyBag again;
    fromLower.WriteProperties(again);
    EXPECT_EQ(again.keys(), tableOrder);
    for (const char* key : {"BTYPE", "TX", "BCOL", "BCOLO", "MPTR", "PICPOS", "FX"})
        EXPECT_EQ(again.ReadProperty(key), bag.ReadProperty(key)) << qPrintable(key);
}

TEST(ChameleonPersistence, MissingKeysTakeTheirDefaults) {
    chameleonButton b;
    setEverything(b);
    const QFont before = b.font();
    b.ReadProperties(PropertyBag());
    EXPECT_EQ(b.ButtonType(), 2);
    EXPECT_EQ(b.Caption(), "");
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(b.font(), before); // the current font stays
    EXPECT_EQ(b.ColorScheme(), 1);
    EXPECT_TRUE(b.ShowFocusRect());
    EXPECT_EQ(b.BackColor(), chameleonColors::systemColor(chameleonColors::ButtonFace));
    EXPECT_EQ(b.BackOver(), b.BackColor());
    EXPECT_EQ(b.ForeColor(), chameleonColors::systemColor(chameleonColors::ButtonText));
    EXPECT_EQ(b.ForeOver(), b.ForeColor());
    EXPECT_EQ(b.MaskColor(), 0xC0C0C0u);
    EXPECT_EQ(b.MousePointer(), 0);
    EXPECT_TRUE(b.MouseIcon().isNull());
    EXPECT_TRUE(b.PictureNormal().isNull());
    EXPECT_TRUE(b.PictureOver().isNull());
    EXPECT_TRUE(b.UseMaskColor());
    EXPECT_FALSE(b.SoftBevel());
    EXPECT_EQ(b.PicturePosition(), 0);
    EXPECT_FALSE(b.UseGreyscale());
    EXPECT_EQ(b.SpecialEffect(), 0);
    EXPECT_FALSE(b.CheckBoxBehaviour());
    EXPECT_FALSE(b.Value());
}

TEST(ChameleonPersistence, MissingOverColoursFollowTheColoursJustRead) {
    PropertyBag bag;
    bag.WriteProperty("bcol", 0x0000FF);
    bag.WriteProperty("fcol", 0x00FF00);
    bag.WriteProperty("btype", 14);
    chameleonButton b;
    b.ReadProperties(bag);
    EXPECT_EQ(b.BackColor(), 0x0000FFu);
    EXPECT_EQ(b.BackOver(), 0x0000FFu);
    EXPECT_EQ(b.ForeOver(), 0x00FF00u);
    EXPECT_EQ(b.ButtonType(), 14);
}

TEST(ChameleonPersistence, UnusableValuesKeepDefaultsAndLoseNothingElse) {
    PropertyBag bag;
    bag.WriteProperty("BTYPE", "fourteen");
    bag.WriteProperty("TX", "Print");
    bag.WriteProperty("ENAB", "maybe");
    bag.WriteProperty("BCOL", -2147483633); // system button face stored as a signed number
    bag.WriteProperty("MPTR", 70000);       // does not fit 16 bits
    bag.WriteProperty("PICN", QByteArray("not a picture"));
    bag.WriteProperty("VALUE", "true");
    chameleonButton b;
    b.ReadProperties(bag);
    EXPECT_EQ(b.ButtonType(), 2);
    EXPECT_EQ(b.Caption(), "Print");
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(b.BackColor(), 0x8000000Fu);
    EXPECT_EQ(b.MousePointer(), 0);
    EXPECT_TRUE(b.PictureNormal().isNull());
    EXPECT_TRUE(b.Value());
}

TEST(ChameleonPersistence, PropertyChangesAreReportedUnderTheirKeys) {
    chameleonButton b;
    QSignalSpy spy(&b, &chameleonButton::PropertyChanged);
    b.setPictureOver(solid(Qt::red));
    b.setPictureNormal(solid(Qt::red));
    b.setCaption("X");
    b.setFontBold(true);
    b.setEnabled(false);
    QStringList keys;
    for (const auto& args : spy)
        keys << args.at(0).toString();
    EXPECT_EQ(keys, QStringList({"PICO", "PICN", "TX", "FONT", "ENAB"}));
}

TEST(ChameleonPersistence, OverColoursFollowOnlyAtDesignTime) {
    chameleonButton b;
    b.setBackOver(0x010101);
    b.setForeOver(0x020202);
    b.setBackColor(0x0000FF);
    b.setForeColor(0x00FF00);
    EXPECT_EQ(b.BackOver(), 0x010101u);
    EXPECT_EQ(b.ForeOver(), 0x020202u);
    b.setDesignMode(true);
    b.setBackColor(0x00FFFF);
    b.setForeColor(0xFF0000);
    EXPECT_EQ(b.BackOver(), 0x00FFFFu);
    EXPECT_EQ(b.ForeOver(), 0xFF0000u);
}

TEST(ChameleonPersistence, NewControlAndAddinDefaults) {
    QWidget parent;
    QFont pf("DejaVu Serif", 11);
    parent.setFont(pf);
    auto* b = new chameleonButton(&parent);
    b->setObjectName("chameleonButton1");
    b->InitProperties();
    EXPECT_EQ(b->Caption(), "chameleonButton1");
    EXPECT_EQ(b->FontName(), pf.family());
    EXPECT_EQ(b->ButtonType(), 2);
    EXPECT_EQ(b->Version(), "2.0.6");

    auto* c = makeLocastraButton(&parent, "&Change", "cmdChange");
    EXPECT_EQ(c->objectName(), "cmdChange");
    EXPECT_EQ(c->Caption(), "&Change");
    EXPECT_EQ(c->ButtonType(), 14);
    EXPECT_EQ(c->ColorScheme(), 1);
    EXPECT_EQ(c->BackColor(), 0xC8D0D4u);
    EXPECT_EQ(c->ForeColor(), 0u);
    EXPECT_EQ(c->MaskColor(), 0xC0C0C0u);
    EXPECT_EQ(c->MousePointer(), 1);
    EXPECT_EQ(c->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(c->ShowFocusRect());
    EXPECT_FALSE(c->CheckBoxBehaviour());
}

TEST(ChameleonPersistence, HandPointer) {
    chameleonButton b;
    b.setHandPointer(true);
    EXPECT_EQ(b.MousePointer(), 99);
    EXPECT_FALSE(b.MouseIcon().isNull());
    EXPECT_EQ(b.cursor().shape(), Qt::BitmapCursor);
    b.setHandPointer(false);
    EXPECT_EQ(b.MousePointer(), 1);
    EXPECT_TRUE(b.MouseIcon().isNull());
}
