#pragma once
// The window art every section shares: its palette, and the writer of one window's
// pictures as program resources ":/<section>/<unit>/<name>" — backgrounds, and picture
// buttons with their companions (1 under the mouse, 2 held down).
#include "tools/gendata/Generator.h"
#include "tools/lib/ArtKit.h"
#include "tools/lib/MathArt.h"

#include <QColor>
#include <functional>

namespace gendata {

inline const QColor kOrange(0xff, 0x9a, 0x1f);
inline const QColor kBlue(0x2e, 0x8c, 0xf0);
inline const QColor kGreen(0x2f, 0xb8, 0x4a);
inline const QColor kRed(0xf0, 0x3c, 0x5a);
inline const QColor kPurple(0x9b, 0x55, 0xf0);
inline const QColor kTeal(0x12, 0xb0, 0xc0);
inline const QColor kCaption(0x2b, 0x4a, 0x8a);

class FormArt {
public:
    using State = tools::art::State;

    // `section` is the resource folder ("math"), `unit` the window's ("UJJF").
    FormArt(Output& out, const char* section, const char* unit)
        : out_(out), base_(QString::fromLatin1(section) + '/' + unit + '/') {}

    void background(const QString& name, const QImage& img) {
        out_.writeResource(base_ + name + QStringLiteral(".jpg"), tools::art::jpeg(img, 90));
    }
    // The button and its companions; `pressed` false leaves out the held-down look.
    void button(const QString& name, const std::function<QImage(State)>& draw,
                bool pressed = true) {
        namespace art = tools::art;
        out_.writeResource(base_ + name + QStringLiteral(".png"), art::png(draw(State::Rest)));
        out_.writeResource(base_ + name + QStringLiteral("1.png"), art::png(draw(State::Hover)));
        if (pressed)
            out_.writeResource(base_ + name + QStringLiteral("2.png"),
                               art::png(draw(State::Pressed)));
    }
    void pill(const QString& name, QSize size, const QColor& colour, const QString& emoji,
              const QString& label, bool pressed = true) {
        button(
            name, [&](State s) { return tools::mathart::iconPill(size, colour, emoji, label, s); },
            pressed);
    }
    // The red "返回" button that closes the window.
    void backPill(const QString& name, QSize size) {
        pill(name, size, kRed, QStringLiteral("🏠"), QStringLiteral("返回"));
    }
    void tile(const QString& name, QSize size, const QColor& colour) {
        button(name, [&](State s) { return tools::mathart::tile(size, colour, s); });
    }

private:
    Output& out_;
    QString base_;
};

} // namespace gendata
