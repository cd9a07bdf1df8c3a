#include "widgets/chameleonPalette.h"

#include "widgets/chameleonColors.h"

using namespace chameleonColors;

chameleonPalette chameleonPalette::compute(const Inputs& in) {
    chameleonPalette p;
    const QPalette& sys = in.own;
    const bool soft = in.softBevel;
    auto system = [&sys](int index) {
        return translate(systemColor(index), sys);
    };

    switch (in.scheme) {
    case 2:
        p.face = translate(in.backColor, sys);
        p.faceOver = translate(in.backOver, sys);
        p.text = translate(in.foreColor, sys);
        p.textOver = translate(in.foreOver, sys);
        p.light = shift(p.face, 31, soft);
        p.highlight = shift(p.face, 47, soft);
        p.shadow = shift(p.face, -64, soft);
        p.darkShadow = shift(p.face, -192, soft);
        p.selection = shift(p.face, -128, soft);
        p.selectionTint = p.face;
        break;
    case 3:
        p.face = p.faceOver = 0xC0C0C0;
        p.text = p.textOver = 0;
        p.light = 0xDFDFDF;
        p.highlight = 0xFFFFFF;
        p.shadow = 0x808080;
        p.darkShadow = 0;
        p.selection = 0x800000;
        p.selectionTint = 0xD1ADAD;
        break;
    case 4: {
        const QPalette& surface = in.hasSurface ? in.surface : sys;
        p.face = p.faceOver = fromQColor(surface.color(QPalette::Window));
        p.text = p.textOver = fromQColor(surface.color(QPalette::WindowText));
        p.light = shift(p.face, 31, soft);
        p.highlight = shift(p.face, 47, soft);
        p.shadow = shift(p.face, -64, soft);
        p.darkShadow = shift(p.face, -192, soft);
        p.selection = system(Highlight);
        p.selectionTint = tint(p.selection, 176);
        break;
    }
    default:
        p.face = p.faceOver = system(ButtonFace);
        p.text = p.textOver = system(ButtonText);
        p.light = system(Light3D);
        p.highlight = system(ButtonHighlight);
        p.shadow = system(ButtonShadow);
        p.darkShadow = system(DarkShadow3D);
        p.selection = system(Highlight);
        p.selectionTint = tint(p.selection, 176);
        break;
    }
    p.mask = translate(in.maskColor, sys);
    p.softFace = in.look == 3 ? shiftBlueProportional(p.face, 48, soft) : shift(p.face, 48, soft);
    return p;
}
