#pragma once
// Writer of whole SWF movies for the demo data: shapes, bitmaps (text arrives as
// bitmaps drawn by Qt), buttons whose release sends an FSCommand, sprites, simple
// motion, frame actions and event sounds. Character ids are allocated here.
//
// A timeline is a list of frames; operations name the frame they belong to, so
// several objects can move at once. Placing at a depth twice in a row moves the
// object (or replaces it when the character differs), as the player expects.
// Errors in the input (an image too large, an MP3 that is not one) throw
// std::invalid_argument: this is a build-time tool.

#include "flashhost/swf/ActionBuilder.h"
#include "flashhost/swf/Swf.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QSize>
#include <QTransform>
#include <map>
#include <memory>
#include <vector>

class QPainter;

namespace tools {

struct ColorTransform {
    qreal mulR = 1, mulG = 1, mulB = 1, mulA = 1;
    int addR = 0, addG = 0, addB = 0, addA = 0; // -255..255
    bool operator==(const ColorTransform&) const = default;
};

// Where a placed character shows: position in pixels, scale, rotation in degrees
// (clockwise on screen) around the character's origin, and opacity.
struct Pose {
    QPointF pos;
    qreal scaleX = 1, scaleY = 1, rotation = 0, alpha = 1;
    QTransform transform() const;
    ColorTransform colorTransform() const;
    static Pose interpolate(const Pose& a, const Pose& b, qreal t);
    // A pose at `pos`, scaled alike in both directions.
    static Pose at(QPointF pos, qreal scale = 1, qreal alpha = 1, qreal rotation = 0);
};

struct ShapeFill {
    enum class Kind { None, Solid, Bitmap };
    Kind kind = Kind::None;
    QColor color;
    int bitmapId = 0;
    QTransform bitmapToShape; // bitmap pixels to shape pixels
    bool smooth = true;
    bool repeat = false;

    static ShapeFill none() { return {}; }
    static ShapeFill solid(const QColor& c) {
        ShapeFill f;
        f.kind = Kind::Solid;
        f.color = c;
        return f;
    }
    static ShapeFill bitmap(int id, const QTransform& bitmapToShape = {}, bool smooth = true) {
        ShapeFill f;
        f.kind = Kind::Bitmap;
        f.bitmapId = id;
        f.bitmapToShape = bitmapToShape;
        f.smooth = smooth;
        return f;
    }
};

struct ShapeLine {
    qreal width = 0; // pixels; 0 draws no outline
    QColor color = Qt::black;
};

// A shape made of parts, each a path with its own fill and outline. Curves are
// approximated by the quadratic edges the format holds. Coordinates in pixels.
class SwfShape {
public:
    SwfShape& add(const QPainterPath& path, const ShapeFill& fill, const ShapeLine& line = {});
    SwfShape& rect(const QRectF& r, const ShapeFill& fill, const ShapeLine& line = {});
    SwfShape& roundedRect(const QRectF& r, qreal radius, const ShapeFill& fill,
                          const ShapeLine& line = {});
    SwfShape& ellipse(const QRectF& r, const ShapeFill& fill, const ShapeLine& line = {});
    SwfShape& polygon(const QPolygonF& points, const ShapeFill& fill, const ShapeLine& line = {});

    // The DefineShape3 body after the character id.
    QByteArray encode() const;
    bool isEmpty() const { return parts_.empty(); }
    // Paints the shape as a player draws it: each part filled, then outlined with round
    // joins; bitmap fills from `bitmaps` (by id, premultiplied as the player decodes them).
    void paint(QPainter& p, const std::map<int, QImage>& bitmaps) const;

private:
    struct Part {
        QPainterPath path;
        ShapeFill fill;
        ShapeLine line;
    };
    std::vector<Part> parts_;
};

// One state record of a button: which character shows in which states.
struct ButtonRecord {
    int characterId = 0;
    bool up = false, over = false, down = false, hit = false;
    int depth = 1;
    QTransform matrix; // pixels
};

struct Button {
    std::vector<ButtonRecord> records;
    QByteArray releaseActions; // run on release inside the button, without the End action
    int pressSound = 0;        // event sound when pressed; 0 for none
};

class SwfTimeline {
public:
    SwfTimeline(int version, swf::LegacyEncoder legacy) : version_(version), legacy_(legacy) {}

    // Frames count from 0. A timeline has at least one frame.
    int frameCount() const { return int(std::max<size_t>(1, frames_.size())); }
    void ensureFrames(int count);

    // `name`: the instance name scripts reach the character by.
    void place(int frame, int depth, int characterId, const QTransform& matrix = {},
               const ColorTransform& cx = {}, const QString& name = {});
    void place(int frame, int depth, int characterId, const Pose& pose) {
        place(frame, depth, characterId, pose.transform(), pose.colorTransform());
    }
    void remove(int frame, int depth);
    // Places the character on frames first .. first+count-1, moving from `from` to `to`.
    void tween(int depth, int characterId, int first, int count, const Pose& from, const Pose& to);

    void actions(int frame, const swf::ActionBuilder& actions);
    void stop(int frame);
    void play(int frame);
    void gotoAndPlay(int frame, int targetFrame0);
    void fsCommand(int frame, const QString& command, const QString& args = QString());
    // An event sound; `noMultiple` starts it only when it is not playing already, `stop`
    // stops it instead.
    enum class Sync { Event, NoMultiple, Stop };
    void startSound(int frame, int soundId, Sync sync = Sync::Event);

    // An action builder with the string encoding of this movie's version.
    swf::ActionBuilder actionBuilder() const { return swf::ActionBuilder(version_, legacy_); }

    // The control tags of all frames, each frame closed by ShowFrame, without End.
    QByteArray encodeTags() const;
    std::vector<swf::Tag> tags() const;

    // What shows at each depth on `frame` (placed, moved, removed up to it).
    struct Placed {
        int characterId = 0;
        QTransform matrix;
        ColorTransform cx;
    };
    std::map<int, Placed> displayAt(int frame) const;

private:
    struct Op {
        enum class Kind { Set, Remove, Tag } kind = Kind::Tag;
        int depth = 0;
        int characterId = 0;
        QTransform matrix;
        ColorTransform cx;
        QString name;
        swf::Tag tag;
    };
    std::vector<Op>& frame(int index);

    int version_;
    swf::LegacyEncoder legacy_;
    std::vector<std::vector<Op>> frames_;
};

class SwfWriter {
public:
    // Version 8 movies get FileAttributes (no network access); version 5 and below
    // keep strings in GBK.
    explicit SwfWriter(QSize framePixels, qreal frameRate = 24, int version = 8);

    int version() const { return version_; }
    void setBackgroundColor(const QColor& c) { background_ = c; }
    void setCompression(char c) { compression_ = c; } // 'F', 'C' or 'Z'

    SwfTimeline& root() { return root_; }
    SwfTimeline newTimeline() const { return SwfTimeline(version_, legacy()); }
    swf::ActionBuilder actionBuilder() const { return swf::ActionBuilder(version_, legacy()); }

    int defineShape(const SwfShape& shape);
    // DefineBitsLossless2: premultiplied ARGB, zlib-compressed.
    int defineBitmap(const QImage& image);
    // DefineBitsJPEG2, or DefineBitsJPEG3 with a zlib alpha plane when the image has
    // transparent pixels (colour premultiplied, as players expect). `shown`, when given,
    // receives the picture as a player decodes it (JPEG losses included, premultiplied).
    int defineJpeg(const QImage& image, int quality = 90, QImage* shown = nullptr);
    // A bitmap and a rectangle shape showing it at 1:1 with `anchor` (image pixels)
    // at the shape's origin, so poses scale and turn around it. Returns the shape id.
    int defineImageShape(const QImage& image, QPointF anchor = {});
    // The same with the picture stored as a JPEG of `quality`.
    int defineJpegShape(const QImage& image, int quality, QPointF anchor = {},
                        QImage* shown = nullptr);
    int defineSprite(const SwfTimeline& timeline);
    int defineButton(const Button& button);
    // A button showing `up`, `over`, `down` (0: as up) and reacting in `hit` (0: as
    // up), whose release sends FSCommand:<command>.
    int defineCommandButton(int up, int over, int down, int hit, const QString& command,
                            const QString& args = QString(), int pressSound = 0);
    // DefineSound from an MP3 file at 44.1, 22.05 or 11.025 kHz (ID3 tags and the
    // encoder's info frame are dropped; its delay becomes the seek samples).
    int defineSound(const QByteArray& mp3);

    swf::Movie movie() const;
    QByteArray finish() const { return swf::serialize(movie()); }

    // From now on the writer keeps what it defines, so that it can draw a frame.
    void keepForDrawing() { drawing_ = std::make_unique<Drawing>(); }
    // The root timeline's `frame` as a player draws it when it starts there: the background,
    // then each depth in turn, sprites on their first frame, buttons in their up state, with
    // the opacity they are placed with. Empty unless keepForDrawing() came before the
    // definitions.
    QImage drawFrame(int frame) const;

private:
    // What drawFrame() needs of the definitions.
    struct Drawing {
        std::map<int, SwfShape> shapes;
        std::map<int, QImage> bitmaps; // as the player decodes them
        std::map<int, SwfTimeline> sprites;
        std::map<int, std::vector<ButtonRecord>> buttons; // the up state's records
    };
    void drawCharacter(QPainter& p, int id, int nesting) const;

    swf::LegacyEncoder legacy() const;
    int nextId();
    void define(quint16 code, int id, const QByteArray& body);
    // A rectangle shape showing `bitmap` of `size` at 1:1 with `anchor` at its origin.
    int defineBitmapShape(int bitmap, QSize size, QPointF anchor);

    QSize size_;
    qreal rate_;
    int version_;
    char compression_ = 'F';
    QColor background_;
    SwfTimeline root_;
    std::vector<swf::Tag> definitions_;
    int lastId_ = 0;
    std::unique_ptr<Drawing> drawing_;
};

// Parts of the MP3 reading, for tests and for tools that inspect their sounds.
struct Mp3Info {
    int sampleRate = 0;
    bool stereo = false;
    int frames = 0;
    int samplesPerFrame = 0;
    int encoderDelay = 0, encoderPadding = 0;
    QByteArray data; // the audio frames only
};
Mp3Info readMp3(const QByteArray& file); // throws std::invalid_argument

} // namespace tools
