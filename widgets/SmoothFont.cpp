#include "widgets/SmoothFont.h"

#include "platform/Gbk.h"
#include "platform/IniFile.h"

#include <QFontMetrics>
#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>
#include <cstring>
#include <numbers>

namespace {

// Measuring and rendering happen on images of the same resolution, so widths agree.
const QPaintDevice* measureDevice() {
    static const QImage device(1, 1, QImage::Format_Grayscale8);
    return &device;
}

int clampInt(int v, int lo, int hi) {
    return std::min(std::max(v, lo), hi);
}
uint8_t clampByte(int v) {
    return uint8_t(clampInt(v, 0, 255));
}

QRgb opaqueRgb(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

template <typename T> bool store(T& field, T value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TSmoothMask

TSmoothMask::TSmoothMask(TSmoothFont* owner) : owner_(owner) {}

int TSmoothMask::Scale() const {
    switch (quality_) {
    case TSmoothTypes::aqHigh:
        return 4;
    case TSmoothTypes::aqNormal:
        return 3;
    case TSmoothTypes::aqLow:
        return 2;
    case TSmoothTypes::aqNone:
        break;
    }
    return 1;
}

void TSmoothMask::SetSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    stride_ = (width_ + 3) / 4 * 4;
    data_.assign(size_t(stride_) * size_t(height_), 0);
}

uint8_t* TSmoothMask::ScanLine(int y) {
    if (y < 0 || y >= height_)
        throw EInvalidLine();
    return data_.data() + size_t(y) * size_t(stride_);
}

const uint8_t* TSmoothMask::ScanLine(int y) const {
    if (y < 0 || y >= height_)
        throw EInvalidLine();
    return data_.data() + size_t(y) * size_t(stride_);
}

void TSmoothMask::Assign(const TSmoothMask& other) {
    quality_ = other.quality_;
    width_ = other.width_;
    height_ = other.height_;
    stride_ = other.stride_;
    data_ = other.data_;
}

QFont TSmoothMask::scaledFont() const {
    QFont f = owner_->Canvas()->Font.Font;
    const int s = Scale();
    if (f.pixelSize() > 0)
        f.setPixelSize(f.pixelSize() * s);
    else
        f.setPointSizeF(f.pointSizeF() * s);
    // The averaging does the smoothing; the rendering itself must be plain ink.
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

TSmoothExtent TSmoothMask::Extent(const QString& text) const {
    TSmoothExtent ext;
    if (!owner_ || !owner_->Canvas())
        return ext;
    const int s = Scale();
    const QFont font = scaledFont();
    const QFontMetrics fm(font, measureDevice());
    int cx = (fm.horizontalAdvance(text) + s - 1) / s;
    int cy = (fm.height() + s - 1) / s;
    if (font.italic() && !text.isEmpty()) {
        // The average width of one byte column, as layout lengths count bytes.
        const int columns = std::max(platform::gbkByteLength(text), 1);
        cx += SmoothRound(double(cx) / columns * 0.3);
    }
    ext.Size = QSize(cx, cy);
    const int escapement = owner_->Canvas()->Font.Escapement;
    if (escapement != 0) {
        const double t = -(escapement * std::numbers::pi / 1800.0);
        const double c = std::cos(t), sn = std::sin(t);
        const double hw = cx / 2.0, hh = cy / 2.0;
        const QPoint a(SmoothRound(-hw * c + hh * sn), SmoothRound(-hw * sn - hh * c));
        const QPoint b(SmoothRound(hw * c + hh * sn), SmoothRound(hw * sn - hh * c));
        const QPoint cc(SmoothRound(-hw * c - hh * sn), SmoothRound(-hw * sn + hh * c));
        const QPoint d(SmoothRound(hw * c - hh * sn), SmoothRound(hw * sn + hh * c));
        const int minX = std::min({a.x(), b.x(), cc.x(), d.x()});
        const int maxX = std::max({a.x(), b.x(), cc.x(), d.x()});
        const int minY = std::min({a.y(), b.y(), cc.y(), d.y()});
        const int maxY = std::max({a.y(), b.y(), cc.y(), d.y()});
        ext.Size = QSize(maxX - minX, maxY - minY);
        ext.Origin = QPoint(ext.Size.width() / 2 + a.x(), ext.Size.height() / 2 + a.y());
    }
    return ext;
}

void TSmoothMask::DrawText(const QString& text) {
    if (!owner_ || !owner_->Canvas())
        return;
    const TSmoothExtent ext = Extent(text);
    SetSize(ext.Size.width(), ext.Size.height());
    if (width_ == 0 || height_ == 0)
        return;
    const int s = Scale();
    QImage work(width_ * s, height_ * s, QImage::Format_Grayscale8);
    work.fill(0);
    {
        QPainter p(&work);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(scaledFont());
        p.setPen(Qt::white);
        p.translate(ext.Origin.x() * s, ext.Origin.y() * s);
        const int escapement = owner_->Canvas()->Font.Escapement;
        if (escapement != 0)
            p.rotate(-escapement / 10.0);
        p.drawText(QPointF(0, p.fontMetrics().ascent()), text);
    }
    AverageFrom(work);
}

void TSmoothMask::AverageFrom(const QImage& work) {
    const int s = Scale();
    QImage g = work.format() == QImage::Format_Grayscale8
                   ? work
                   : work.convertToFormat(QImage::Format_Grayscale8);
    // Samples past a too small work image count as no ink.
    auto b = [&](int x, int y) -> int {
        return (x < g.width() && y < g.height()) ? g.constScanLine(y)[x] : 0;
    };
    for (int y = 0; y < height_; ++y) {
        uint8_t* out = ScanLine(y);
        const int r = y * s;
        for (int x = 0; x < width_; ++x) {
            const int c = x * s;
            int v = 0;
            if (s == 4) {
                int sum = 0;
                for (int j = 0; j < 4; ++j)
                    for (int i = 0; i < 4; ++i)
                        sum += b(c + i, r + j);
                v = sum >> 4;
            } else if (s == 3) {
                // The top-right and bottom-left samples count half.
                v = (b(c, r) + b(c + 1, r) + (b(c + 2, r) >> 1) + b(c, r + 1) + b(c + 1, r + 1) +
                     b(c + 2, r + 1) + (b(c, r + 2) >> 1) + b(c + 1, r + 2) + b(c + 2, r + 2)) >>
                    3;
            } else if (s == 2) {
                v = (b(c, r) + b(c + 1, r) + b(c, r + 1) + b(c + 1, r + 1)) >> 2;
            } else {
                v = b(c, r);
            }
            out[x] = uint8_t(v);
        }
    }
}

void TSmoothMask::Outline() {
    if (height_ < 3 || width_ < 3)
        return;
    const std::vector<uint8_t> src = data_;
    auto p = [&](int x, int y) -> int { return src[size_t(y) * size_t(stride_) + size_t(x)]; };
    for (int y = 1; y <= height_ - 2; ++y) {
        uint8_t* row = ScanLine(y);
        for (int x = 1; x <= width_ - 2; ++x) {
            const int v = std::abs(p(x, y + 1) - p(x, y - 1)) +
                          std::abs(p(x + 1, y) - p(x - 1, y)) +
                          std::abs(p(x - 1, y + 1) - p(x + 1, y - 1)) +
                          std::abs(p(x + 1, y + 1) - p(x - 1, y - 1));
            row[x] = uint8_t(std::min(v >> 2, 255));
        }
    }
}

void TSmoothMask::Blur(int amount) {
    amount = clampInt(amount, 0, 100);
    if (amount == 0 || width_ == 0 || height_ == 0)
        return;
    const int a = SmoothRound(amount * 255 / 100.0);
    const std::vector<uint8_t> src = data_;
    std::vector<int> column(size_t(width_), 0);
    // Every sample is clamped into the mask, which for masks of 5 or more pixels is the same as
    // repeating the edge row or column, and never reads outside a smaller one.
    for (int y = 0; y < height_; ++y) {
        std::fill(column.begin(), column.end(), 0);
        for (int dy = -2; dy <= 2; ++dy) {
            const uint8_t* row = src.data() + size_t(clampInt(y + dy, 0, height_ - 1)) * stride_;
            for (int x = 0; x < width_; ++x)
                column[size_t(x)] += row[x];
        }
        uint8_t* out = ScanLine(y);
        for (int x = 0; x < width_; ++x) {
            int sum = 0;
            for (int dx = -2; dx <= 2; ++dx)
                sum += column[size_t(clampInt(x + dx, 0, width_ - 1))];
            const int m = (sum + 12) / 25; // never a tie: sum / 25 has no .5 fraction
            const int p = out[x];
            out[x] = uint8_t(a == 255 ? m : p + (((m - p) * a) >> 8));
        }
    }
}

void TSmoothMask::Spray(int amount) {
    if (amount <= 0 || width_ == 0 || height_ == 0)
        return;
    static platform::RandomSource fallback;
    platform::RandomSource& rnd = owner_ ? owner_->Random() : fallback;
    for (int y = 0; y < height_; ++y) {
        uint8_t* row = ScanLine(y);
        for (int x = 0; x < width_; ++x) {
            const int r = rnd.random(amount + 1);
            const int sx = clampInt(x + r - rnd.random(2 * r), 0, width_ - 1);
            const int sy = clampInt(y + r - rnd.random(2 * r), 0, height_ - 1);
            row[x] = ScanLine(sy)[sx];
        }
    }
}

void TSmoothMask::HorzMirror() {
    for (int y = 0; y < height_; ++y) {
        uint8_t* row = ScanLine(y);
        std::reverse(row, row + width_);
    }
}

void TSmoothMask::VertMirror() {
    for (int y = 0; y < height_ / 2; ++y)
        std::swap_ranges(ScanLine(y), ScanLine(y) + stride_, ScanLine(height_ - 1 - y));
}

// ---------------------------------------------------------------------------------------------
// TSmoothBlend

void TSmoothBlend::Blend(int x, int y, const TSmoothMask& mask, int alpha, TColor color) {
    blend(x, y, mask, alpha, nullptr, opaqueRgb(color));
}

void TSmoothBlend::BlendEx(int x, int y, const TSmoothMask& mask, int alpha) {
    if (fore_.format() != QImage::Format_RGB888 || fore_.width() != mask.Width() ||
        fore_.height() != mask.Height())
        throw EInvalidForeBmp();
    blend(x, y, mask, alpha, &fore_, 0);
}

void TSmoothBlend::blend(int x, int y, const TSmoothMask& mask, int alpha, const QImage* fore,
                         QRgb color) {
    if (!owner_ || !owner_->CanDraw() || mask.Width() == 0 || mask.Height() == 0)
        return;
    TSmoothCanvas& canvas = *owner_->Canvas();
    QImage& target = *canvas.Image;
    const int w = mask.Width(), h = mask.Height();
    const QRect area(x, y, w, h);
    const int a = (clampInt(alpha, 0, 100) << 8) / 100;

    if (canvas.BrushClear) {
        work_ = target.copy(area).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    } else {
        if (work_.size() != area.size() || work_.format() != QImage::Format_ARGB32_Premultiplied)
            work_ = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        work_.fill(opaqueRgb(canvas.BrushColor));
    }

    for (int j = 0; j < h; ++j) {
        const uint8_t* m = mask.ScanLine(j);
        auto* px = reinterpret_cast<QRgb*>(work_.scanLine(j));
        const uint8_t* f = fore ? fore->constScanLine(j) : nullptr;
        for (int i = 0; i < w; ++i) {
            const int wt = (m[i] * a) >> 8;
            if (wt == 0)
                continue;
            const QRgb c = f ? qRgb(f[3 * i], f[3 * i + 1], f[3 * i + 2]) : color;
            if (wt == 255) {
                px[i] = c;
                continue;
            }
            const QRgb p = px[i];
            // Alpha moves towards opaque by the same rule, which composes the text over
            // a transparent target exactly.
            auto mix = [wt](int ch, int to) { return ch + (((to - ch) * wt) >> 8); };
            px[i] = qRgba(mix(qRed(p), qRed(c)), mix(qGreen(p), qGreen(c)), mix(qBlue(p), qBlue(c)),
                          mix(qAlpha(p), 255));
        }
    }

    const QRect clip = area.intersected(target.rect());
    if (clip.isEmpty())
        return;
    if (target.format() == QImage::Format_RGB32 ||
        target.format() == QImage::Format_ARGB32_Premultiplied) {
        for (int j = clip.top(); j <= clip.bottom(); ++j)
            std::memcpy(reinterpret_cast<QRgb*>(target.scanLine(j)) + clip.left(),
                        reinterpret_cast<const QRgb*>(work_.constScanLine(j - y)) +
                            (clip.left() - x),
                        size_t(clip.width()) * sizeof(QRgb));
    } else {
        QPainter p(&target);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(x, y), work_);
    }
}

// ---------------------------------------------------------------------------------------------
// TSmoothFont

TSmoothFont::TSmoothFont(TSmoothCanvas* canvas) : canvas_(canvas), mask_(this), blend_(this) {}

TSmoothFont::~TSmoothFont() = default;

QSize TSmoothFont::TextExtent(const QString& text) {
    if (!canvas_)
        return QSize(0, 0);
    return mask_.TextExtent(text);
}

// ---------------------------------------------------------------------------------------------
// Effect parameters

void TNotifyClass::Assign(const TNotifyClass&) {}

void TEnabledClass::SetEnabled(bool v) {
    if (store(enabled_, v))
        emit OnChange();
}

void TEnabledClass::Changed() {
    if (enabled_)
        emit OnChange();
}

void TEnabledClass::Assign(const TNotifyClass& source) {
    if (auto* s = qobject_cast<const TEnabledClass*>(&source))
        SetEnabled(s->enabled_);
}

void TSmoothShadow::SetBlur(int v) {
    if (store(blur_, clampInt(v, 0, 100)))
        Changed();
}
void TSmoothShadow::SetAlpha(int v) {
    if (store(alpha_, clampInt(v, 0, 100)))
        Changed();
}
void TSmoothShadow::SetColor(TColor v) {
    if (store(color_.value, v.value))
        Changed();
}
void TSmoothShadow::SetOffsetX(int v) {
    if (store(offsetX_, clampInt(v, -20, 20)))
        Changed();
}
void TSmoothShadow::SetOffsetY(int v) {
    if (store(offsetY_, clampInt(v, -20, 20)))
        Changed();
}

void TSmoothShadow::Assign(const TNotifyClass& source) {
    TEnabledClass::Assign(source);
    if (auto* s = qobject_cast<const TSmoothShadow*>(&source)) {
        SetBlur(s->blur_);
        SetAlpha(s->alpha_);
        SetColor(s->color_);
        SetOffsetX(s->offsetX_);
        SetOffsetY(s->offsetY_);
    }
}

void TSmoothGradual::SetStyle(TSmoothTypes::TGradualStyle v) {
    if (store(style_, v))
        Changed();
}
void TSmoothGradual::SetStartColor(TColor v) {
    if (store(start_.value, v.value))
        Changed();
}
void TSmoothGradual::SetEndColor(TColor v) {
    if (store(end_.value, v.value))
        Changed();
}

void TSmoothGradual::Assign(const TNotifyClass& source) {
    TEnabledClass::Assign(source);
    if (auto* s = qobject_cast<const TSmoothGradual*>(&source)) {
        SetStyle(s->style_);
        SetStartColor(s->start_);
        SetEndColor(s->end_);
    }
}

std::vector<QRgb> TSmoothGradual::Entries(int width, int height) const {
    using T = TSmoothTypes;
    const bool vertical =
        style_ == T::gsTopToBottom || style_ == T::gsBottomToTop || style_ == T::gsCenterToTB;
    const bool centre = style_ == T::gsCenterToLR || style_ == T::gsCenterToTB;
    const int length = std::max(vertical ? height : width, 0);
    const int n = centre ? (length + 1) / 2 : length;
    QRgb from = opaqueRgb(start_), to = opaqueRgb(end_);
    if (style_ != T::gsLeftToRight && style_ != T::gsTopToBottom)
        std::swap(from, to);
    std::vector<QRgb> entries(size_t(length), from);
    auto step = [n](int f, int t, int i) { return f + (t - f) * i / n; };
    for (int i = 0; i < n; ++i)
        entries[size_t(i)] = qRgb(step(qRed(from), qRed(to), i), step(qGreen(from), qGreen(to), i),
                                  step(qBlue(from), qBlue(to), i));
    if (centre)
        for (int i = 0; i < n; ++i)
            entries[size_t(length - 1 - i)] = entries[size_t(i)];
    return entries;
}

void TSmoothGradual::Fill(QImage& image) const {
    using T = TSmoothTypes;
    const bool vertical =
        style_ == T::gsTopToBottom || style_ == T::gsBottomToTop || style_ == T::gsCenterToTB;
    const std::vector<QRgb> e = Entries(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = e[size_t(vertical ? y : x)];
            row[3 * x] = uint8_t(qRed(c));
            row[3 * x + 1] = uint8_t(qGreen(c));
            row[3 * x + 2] = uint8_t(qBlue(c));
        }
    }
}

void TSmoothTexture::SetMode(TSmoothTypes::TTextureMode v) {
    if (store(mode_, v))
        Changed();
}

void TSmoothTexture::SetPicture(const QImage& v) {
    picture_ = v;
    Changed();
}

void TSmoothTexture::Assign(const TNotifyClass& source) {
    TEnabledClass::Assign(source);
    if (auto* s = qobject_cast<const TSmoothTexture*>(&source)) {
        SetMode(s->mode_);
        SetPicture(s->picture_);
    }
}

TSmoothEffect::TSmoothEffect(QObject* parent)
    : TNotifyClass(parent), shadow_(new TSmoothShadow(this)), gradual_(new TSmoothGradual(this)),
      texture_(new TSmoothTexture(this)) {
    for (TNotifyClass* part :
         {static_cast<TNotifyClass*>(shadow_), static_cast<TNotifyClass*>(gradual_),
          static_cast<TNotifyClass*>(texture_)})
        connect(part, &TNotifyClass::OnChange, this, &TNotifyClass::OnChange);
}

void TSmoothEffect::SetAlpha(int v) {
    if (store(alpha_, clampInt(v, 0, 100)))
        Changed();
}
void TSmoothEffect::SetBlur(int v) {
    if (store(blur_, clampInt(v, 0, 100)))
        Changed();
}
void TSmoothEffect::SetAngle(int v) {
    if (store(angle_, clampInt(v, -360, 360)))
        Changed();
}
void TSmoothEffect::SetNoise(int v) {
    if (store(noise_, clampInt(v, 0, 255)))
        Changed();
}
void TSmoothEffect::SetSpray(int v) {
    if (store(spray_, clampInt(v, 0, 100)))
        Changed();
}
void TSmoothEffect::SetOutline(bool v) {
    if (store(outline_, v))
        Changed();
}
void TSmoothEffect::SetHorzMirror(bool v) {
    if (store(horzMirror_, v))
        Changed();
}
void TSmoothEffect::SetVertMirror(bool v) {
    if (store(vertMirror_, v))
        Changed();
}

void TSmoothEffect::Assign(const TNotifyClass& source) {
    auto* s = qobject_cast<const TSmoothEffect*>(&source);
    if (!s || s == this)
        return;
    {
        const QSignalBlocker b0(this), b1(shadow_), b2(gradual_), b3(texture_);
        shadow_->Assign(*s->shadow_);
        gradual_->Assign(*s->gradual_);
        texture_->Assign(*s->texture_);
        alpha_ = s->alpha_;
        blur_ = s->blur_;
        angle_ = s->angle_;
        noise_ = s->noise_;
        spray_ = s->spray_;
        outline_ = s->outline_;
        horzMirror_ = s->horzMirror_;
        vertMirror_ = s->vertMirror_;
    }
    Changed();
}

bool TSmoothEffect::SameAs(const TSmoothEffect& o) const {
    const auto& sh = *shadow_;
    const auto& osh = *o.shadow_;
    return alpha_ == o.alpha_ && blur_ == o.blur_ && angle_ == o.angle_ && noise_ == o.noise_ &&
           spray_ == o.spray_ && outline_ == o.outline_ && horzMirror_ == o.horzMirror_ &&
           vertMirror_ == o.vertMirror_ && sh.Enabled() == osh.Enabled() &&
           sh.Blur() == osh.Blur() && sh.Alpha() == osh.Alpha() &&
           sh.Color().value == osh.Color().value && sh.OffsetX() == osh.OffsetX() &&
           sh.OffsetY() == osh.OffsetY() && gradual_->Enabled() == o.gradual_->Enabled() &&
           gradual_->Style() == o.gradual_->Style() &&
           gradual_->StartColor().value == o.gradual_->StartColor().value &&
           gradual_->EndColor().value == o.gradual_->EndColor().value &&
           texture_->Enabled() == o.texture_->Enabled() && texture_->Mode() == o.texture_->Mode() &&
           texture_->Picture() == o.texture_->Picture();
}

void TSmoothEffect::LoadFromIni(const platform::IniFile& ini, const QString& section) {
    auto readInt = [&](const char* key, int current) {
        return ini.ReadInteger(section, QLatin1String(key), current);
    };
    auto readBool = [&](const char* key, bool current) {
        return readInt(key, current ? 1 : 0) != 0;
    };
    auto readColor = [&](const char* key, TColor current) {
        return TColor(quint32(readInt(key, int(current.value))));
    };
    SetAlpha(readInt("Alpha", alpha_));
    SetBlur(readInt("Blur", blur_));
    SetNoise(readInt("Noise", noise_));
    SetSpray(readInt("Spray", spray_));
    SetAngle(readInt("Angle", angle_));
    SetOutline(readBool("Outline", outline_));
    SetHorzMirror(readBool("HorzMirror", horzMirror_));
    SetVertMirror(readBool("VertMirror", vertMirror_));
    shadow_->SetEnabled(readBool("Shadow", shadow_->Enabled()));
    shadow_->SetAlpha(readInt("ShadowAlpha", shadow_->Alpha()));
    shadow_->SetBlur(readInt("ShadowBlur", shadow_->Blur()));
    shadow_->SetColor(readColor("ShadowColor", shadow_->Color()));
    shadow_->SetOffsetX(readInt("ShadowOffsetX", shadow_->OffsetX()));
    shadow_->SetOffsetY(readInt("ShadowOffsetY", shadow_->OffsetY()));
    gradual_->SetEnabled(readBool("Gradual", gradual_->Enabled()));
    gradual_->SetStartColor(readColor("GradualStartColor", gradual_->StartColor()));
    gradual_->SetEndColor(readColor("GradualEndColor", gradual_->EndColor()));
    const int style = readInt("GradualStyle", int(gradual_->Style()));
    if (style >= TSmoothTypes::gsLeftToRight && style <= TSmoothTypes::gsCenterToTB)
        gradual_->SetStyle(TSmoothTypes::TGradualStyle(style));
    texture_->SetEnabled(readBool("Texture", texture_->Enabled()));
    const int mode = readInt("TextureMode", int(texture_->Mode()));
    if (mode >= TSmoothTypes::tmTiled && mode <= TSmoothTypes::tmNormal)
        texture_->SetMode(TSmoothTypes::TTextureMode(mode));
}

void TSmoothEffect::SaveToIni(platform::IniFile& ini, const QString& section) const {
    auto write = [&](const char* key, int v) { ini.WriteInteger(section, QLatin1String(key), v); };
    write("Alpha", alpha_);
    write("Blur", blur_);
    write("Noise", noise_);
    write("Spray", spray_);
    write("Angle", angle_);
    write("Outline", outline_);
    write("HorzMirror", horzMirror_);
    write("VertMirror", vertMirror_);
    write("Shadow", shadow_->Enabled());
    write("ShadowAlpha", shadow_->Alpha());
    write("ShadowBlur", shadow_->Blur());
    write("ShadowColor", int(shadow_->Color().value));
    write("ShadowOffsetX", shadow_->OffsetX());
    write("ShadowOffsetY", shadow_->OffsetY());
    write("Gradual", gradual_->Enabled());
    write("GradualStartColor", int(gradual_->StartColor().value));
    write("GradualEndColor", int(gradual_->EndColor().value));
    write("GradualStyle", int(gradual_->Style()));
    write("Texture", texture_->Enabled());
    write("TextureMode", int(texture_->Mode()));
}

// ---------------------------------------------------------------------------------------------
// TSmoothFontEx

TSmoothFontEx::TSmoothFontEx(TSmoothCanvas* canvas)
    : TSmoothFont(canvas), effect_(std::make_unique<TSmoothEffect>()) {}

TSmoothFontEx::~TSmoothFontEx() = default;

QSize TSmoothFontEx::TextExtent(const QString& text) {
    TSmoothCanvas* canvas = Canvas();
    if (!canvas)
        return QSize(0, 0);
    const TTextFont saved = canvas->Font;
    if (effect_->Angle() != 0)
        canvas->Font.Escapement = effect_->Angle() * 10;
    QSize size = Mask().TextExtent(text);
    canvas->Font = saved;
    if (effect_->Shadow()->Enabled())
        size +=
            QSize(std::abs(effect_->Shadow()->OffsetX()), std::abs(effect_->Shadow()->OffsetY()));
    return size;
}

void TSmoothFontEx::TextOut(int x, int y, const QString& text) {
    if (!CanDraw() || text.isEmpty())
        return;
    TSmoothCanvas& canvas = *Canvas();
    const TSmoothEffect& e = *effect_;
    const TTextFont savedFont = canvas.Font;
    const bool savedBrushClear = canvas.BrushClear;
    if (e.Angle() != 0)
        canvas.Font.Escapement = e.Angle() * 10;

    const TSmoothShadow& shadow = *e.Shadow();
    int tx = x, ty = y;
    if (shadow.Enabled()) {
        tx = x + std::max(0, -shadow.OffsetX());
        ty = y + std::max(0, -shadow.OffsetY());
    }

    TSmoothMask& mask = Mask();
    mask.DrawText(text);
    if (e.Outline())
        mask.Outline();
    if (e.Spray() > 0)
        mask.Spray(e.Spray());
    if (e.HorzMirror())
        mask.HorzMirror();
    if (e.VertMirror())
        mask.VertMirror();

    if (shadow.Enabled()) {
        TSmoothMask shadowMask(this);
        shadowMask.Assign(mask);
        if (shadow.Blur() > 0)
            shadowMask.Blur(shadow.Blur());
        Blender().Blend(x + std::max(0, shadow.OffsetX()), y + std::max(0, shadow.OffsetY()),
                        shadowMask, shadow.Alpha() * e.Alpha() / 100, shadow.Color());
        canvas.BrushClear = true;
    }
    if (e.Blur() > 0)
        mask.Blur(e.Blur());

    const bool texture = e.Texture()->Enabled() && !e.Texture()->Picture().isNull();
    const bool gradual = e.Gradual()->Enabled();
    if (!texture && !gradual && e.Noise() == 0) {
        Blender().Blend(tx, ty, mask, e.Alpha(), canvas.Font.Color);
    } else {
        fillFore(mask);
        Blender().BlendEx(tx, ty, mask, e.Alpha());
    }
    canvas.BrushClear = savedBrushClear;
    canvas.Font = savedFont;
}

void TSmoothFontEx::fillFore(const TSmoothMask& mask) {
    const TSmoothEffect& e = *effect_;
    QImage& fore = Blender().ForeBmp();
    const int w = mask.Width(), h = mask.Height();
    if (fore.size() != QSize(w, h) || fore.format() != QImage::Format_RGB888)
        fore = QImage(w, h, QImage::Format_RGB888);
    const QRgb fontColor = opaqueRgb(Canvas()->Font.Color);
    platform::RandomSource& rnd = Random();
    const int noise = e.Noise();

    const QImage& picture = e.Texture()->Picture();
    if (e.Texture()->Enabled() && !picture.isNull()) {
        fore.fill(QColor(fontColor));
        QPainter p(&fore);
        switch (e.Texture()->Mode()) {
        case TSmoothTypes::tmTiled:
            for (int py = 0; py < h; py += picture.height())
                for (int px = 0; px < w; px += picture.width())
                    p.drawImage(px, py, picture);
            break;
        case TSmoothTypes::tmStretched:
            p.drawImage(QRect(0, 0, w, h), picture);
            break;
        case TSmoothTypes::tmCenter:
            p.drawImage((w - picture.width()) / 2, (h - picture.height()) / 2, picture);
            break;
        case TSmoothTypes::tmNormal:
            p.drawImage(0, 0, picture);
            break;
        }
    } else if (e.Gradual()->Enabled()) {
        e.Gradual()->Fill(fore);
    } else {
        const int ch[3] = {qRed(fontColor), qGreen(fontColor), qBlue(fontColor)};
        for (int j = 0; j < h; ++j) {
            uint8_t* row = fore.scanLine(j);
            for (int i = 0; i < w * 3; ++i)
                row[i] = clampByte(rnd.random(noise) + ch[i % 3] - noise / 2);
        }
        return;
    }
    if (noise > 0)
        for (int j = 0; j < h; ++j) {
            uint8_t* row = fore.scanLine(j);
            for (int i = 0; i < w * 3; ++i)
                row[i] = clampByte(row[i] + rnd.random(noise) - noise / 2);
        }
}
